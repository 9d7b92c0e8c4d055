#!/usr/bin/env python3
"""Tests of the drive-description checker and generator.

    python3 data/drives/tools/test_check_drives.py

Each case breaks one rule in an otherwise valid model and expects the checker to name it.
"""

import copy
import json
import os
import subprocess
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.dont_write_bytecode = True  # keep the source folder free of caches
sys.path.insert(0, HERE)

import check_drives  # noqa: E402
import gen_drives  # noqa: E402
from drivedefs import dump_model  # noqa: E402


def build(name="SD110"):
    return gen_drives.ModelBuilder(name, gen_drives.PROFILES[name]).build()


def code(model, number):
    for g in model["groups"]:
        for c in g["codes"]:
            if c["index"] == number:
                return c
    raise KeyError(number)


def group(model, prefix):
    for g in model["groups"]:
        if g["name"]["en"].startswith(prefix + " "):
            return g
    raise KeyError(prefix)


class CheckerTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.base = build()

    def setUp(self):
        self.tmp = tempfile.TemporaryDirectory()
        self.model = copy.deepcopy(self.base)

    def tearDown(self):
        self.tmp.cleanup()

    def errors(self, model=None, text=None, coverage=True):
        path = os.path.join(self.tmp.name, "SD110.json")
        with open(path, "w", encoding="utf-8") as f:
            f.write(text if text is not None else dump_model(model or self.model))
        checker = check_drives.Checker(path, coverage)
        checker.run()
        return ["{}: {}".format(w, e) for w, e in checker.errors]

    def assertReported(self, fragment, model=None, **kw):
        found = self.errors(model, **kw)
        self.assertTrue(any(fragment in e for e in found), "expected {!r} in {}".format(fragment, found))

    def test_valid_model_passes(self):
        self.assertEqual(self.errors(), [])

    def test_every_shipped_model_passes(self):
        for name in gen_drives.PROFILES:
            path = os.path.join(self.tmp.name, name + ".json")
            with open(path, "w", encoding="utf-8") as f:
                f.write(dump_model(build(name)))
            checker = check_drives.Checker(path, True)
            checker.run()
            self.assertEqual(checker.errors, [], name)

    def test_codes(self):
        cases = [
            ("number used twice", lambda m: code(m, "P00.02").update(index="P00.01")),
            ("does not start with the group code", lambda m: code(m, "P00.02").update(index="P01.99")),
            ("default is outside", lambda m: code(m, "P02.00").update(default="2500.0")),
            ("must have 1 decimals", lambda m: code(m, "P02.00").update(default="48")),
            ("\"showType\" must be an integer from 0 to 10", lambda m: code(m, "P02.00").update(showType=11)),
            ("does not fit data type", lambda m: code(m, "P02.00").update(max="9000.0")),
            ("negative minimum", lambda m: code(m, "P00.03").update(min="-100")),
            ("is not a value of the list", lambda m: code(m, "P01.00").update(default="6")),
            ("unknown value list", lambda m: code(m, "P01.00").update(enum="noSuchList")),
            ("chooses a missing option", lambda m: code(m, "P01.12").update(default="12")),
            ("has more digits than the menu", lambda m: code(m, "P01.12").update(default="1011")),
            ("related code P99.00 does not exist", lambda m: code(m, "P02.00").update(relateParams=["P99.00"])),
            ("\"relate\" may hold", lambda m: code(m, "P02.00").update(relate="PX")),
            ("read only (rw 0)", lambda m: code(m, "U00.00").update(rw=1)),
            ("\"sim\" belongs to state codes", lambda m: code(m, "P02.00").update(sim={"kind": "sine"})),
            ("up to 8 printable ASCII", lambda m: code(m, "P00.23").update(default="TOOLONGTEXT")),
            ("unknown key \"minimum\"", lambda m: code(m, "P02.00").update(minimum="1")),
            ("show type 10 cannot use data type 8", lambda m: code(m, "P00.16").update(dataType=8)),
        ]
        for fragment, mutate in cases:
            with self.subTest(fragment):
                model = copy.deepcopy(self.base)
                mutate(model)
                self.assertReported(fragment, model)

    def test_references(self):
        cases = [
            ("names an unknown code P77.00", lambda m: m.update(motorTypeCode="P77.00")),
            ("must name an enumerated setting code", lambda m: m.update(motorTypeCode="P00.01")),
            ("\"firstCode\" P77.00 does not exist", lambda m: m["oscilloscope"].update(firstCode="P77.00")),
            ("no-edit code P77.01 does not exist", lambda m: m["oscilloscope"]["noEditCodes"].append("P77.01")),
            ("outside the target's range", lambda m: m["effects"][0]["table"].update({"212": "999.00"})),
            ("not a value of the source", lambda m: m["effects"][0]["table"].update({"999": "1.00"})),
            ("differs from the table", lambda m: m["effects"][0]["table"].update({"212": "2.70"})),
            ("exactly one of \"table\" and \"scale\"", lambda m: m["effects"][0].update(scale=1.0)),
            ("fault E.101 listed twice", lambda m: m["faults"].append(dict(m["faults"][0]))),
        ]
        for fragment, mutate in cases:
            with self.subTest(fragment):
                model = copy.deepcopy(self.base)
                mutate(model)
                self.assertReported(fragment, model)

    def test_history_format(self):
        cases = [
            ("one or two digits", lambda rows: rows[2].update(number="05")),
            ("one or two digits", lambda rows: rows[2].update(number="100")),
            ("counted from 1", lambda rows: rows[0].update(number="0~1")),
            ("counted from 1", lambda rows: rows[2].update(number="0")),
            ("does not match words", lambda rows: rows[0].update(number="1~3")),
            ("does not match data type", lambda rows: rows[0].update(dataType=4)),
            ("must be a state code", lambda rows: rows[2].update(param="P02.00")),
            ("is not a code of the model", lambda rows: rows[2].update(param="U99.00")),
            ("differs from that of", lambda rows: rows[2].update(dataType=4)),
            ("is also used by", lambda rows: rows[3].update(number="4")),
            ("exactly one FAULTCODE row", lambda rows: rows[1].update(param="faultcode")),
        ]
        for fragment, mutate in cases:
            with self.subTest(fragment):
                model = copy.deepcopy(self.base)
                mutate(model["historyFormat"])
                self.assertReported(fragment, model)

    def test_history_accepts_ranges_up_to_two_digits(self):
        rows = self.model["historyFormat"]
        rows.append({"number": "60~63", "name": {"en": "Far", "zh_CN": "远"}, "dataType": 15, "length": 8,
                     "param": "RESERVE"})
        self.assertEqual(self.errors(coverage=False), [])

    def test_long_group_needs_explicit_canopen(self):
        ptp = group(self.model, "PtP")
        extra = copy.deepcopy(ptp["codes"][-1])
        for n in range(300):
            c = dict(extra, index="PtP.{:03d}".format(n), name={"en": "Filler {}".format(n), "zh_CN": "填充{}".format(n)})
            ptp["codes"].append(c)
        for i, c in enumerate(ptp["codes"]):
            c["index"] = "PtP.{:03d}".format(i)
        self.assertReported("needs an explicit \"canopen\"", coverage=False)

    def test_texts_in_both_languages(self):
        cases = [
            ("\"name\" has no zh_CN text", lambda m: code(m, "P02.00")["name"].pop("zh_CN")),
            ("\"name\" must be an object", lambda m: code(m, "P02.00").update(name="Position loop gain 1")),
            ("\"remark\" has no en text", lambda m: code(m, "P02.00")["remark"].update(en=" ")),
            ("unknown languages ['de']", lambda m: code(m, "P02.00")["name"].update(de="Lageregler")),
            ("starts with another value", lambda m: m["enums"]["controlMode"][1].update(zh_CN="2:速度模式")),
            ("another group code", lambda m: group(m, "P02")["name"].update(zh_CN="P03 增益与调整")),
            ("option '1 开启' must read \"0 label\"",
             lambda m: code(m, "P01.12")["menu"][1]["options"][0].update(zh_CN="1 开启")),
            ("\"reason\" has no zh_CN text", lambda m: m["faults"][0]["reason"].pop("zh_CN")),
            ("\"name\" has no zh_CN text", lambda m: m["historyFormat"][0]["name"].pop("zh_CN")),
        ]
        for fragment, mutate in cases:
            with self.subTest(fragment):
                model = copy.deepcopy(self.base)
                mutate(model)
                self.assertReported(fragment, model)

    def test_generator_refuses_a_text_without_chinese(self):
        builder = gen_drives.ModelBuilder("KV905", gen_drives.PROFILES["KV905"])
        table = dict(gen_drives.ZH_CN)
        del table["Point {} speed"]
        original = gen_drives.ZH_CN
        gen_drives.ZH_CN = table
        try:
            with self.assertRaisesRegex(ValueError, r"KV905: no Chinese text for \['Point \{\} speed'\]"):
                builder.build()
        finally:
            gen_drives.ZH_CN = original

    def test_file_level_problems(self):
        self.assertReported("cannot be read as JSON", text="{\"format\": 1,")
        self.assertReported("appears twice in one object", text="{\"format\": 1, \"format\": 1}")
        renamed = copy.deepcopy(self.base)
        renamed["model"] = "OTHER"
        self.assertReported("must be named \"OTHER.json\"", renamed)

    def test_coverage(self):
        model = copy.deepcopy(self.base)
        for g in model["groups"]:
            g["codes"] = [c for c in g["codes"] if c.get("showType", 0) != 7]
        model["groups"] = [g for g in model["groups"] if g["codes"]]
        self.assertReported("no code with showType [7]", model)
        self.assertFalse(any("showType" in e for e in self.errors(model, coverage=False)))

    def test_names_clash_between_files(self):
        a = build("SD110")
        b = build("KV905")
        b["renamedFrom"] = ["SD110"]
        paths = []
        for m in (a, b):
            path = os.path.join(self.tmp.name, m["model"] + ".json")
            with open(path, "w", encoding="utf-8") as f:
                f.write(dump_model(m))
            paths.append(path)
        checkers = []
        for p in paths:
            ch = check_drives.Checker(p, True)
            ch.run()
            checkers.append(ch)
        problems = check_drives.check_across(checkers)
        self.assertTrue(any("model name SD110 is also used" in what for _, what in problems), problems)


class GeneratorTest(unittest.TestCase):
    def test_output_is_stable_and_valid_json(self):
        with tempfile.TemporaryDirectory() as a, tempfile.TemporaryDirectory() as b:
            for out in (a, b):
                subprocess.run([sys.executable, os.path.join(HERE, "gen_drives.py"), "--out", out], check=True,
                               stdout=subprocess.DEVNULL)
            for name in sorted(os.listdir(a)):
                with open(os.path.join(a, name), encoding="utf-8") as fa, \
                        open(os.path.join(b, name), encoding="utf-8") as fb:
                    text = fa.read()
                    self.assertEqual(text, fb.read(), name)
                    self.assertEqual(json.loads(text)["model"] + ".json", name)

    def test_requested_sizes(self):
        sizes = {}
        for name in gen_drives.PROFILES:
            m = build(name)
            counts = [len(g["codes"]) for g in m["groups"]]
            sizes[name] = (sum(counts), max(counts), m["axisNum"])
        self.assertGreater(sizes["SD330"][0], 1000)
        self.assertGreater(sizes["SD330"][1], 400)
        self.assertEqual({n: s[2] for n, s in sizes.items()}, {"SD110": 1, "SD220": 2, "SD330": 3, "KV905": 1})

    def test_group_order_differs_from_text_order_in_one_model(self):
        def natural(name):
            head = name.split(" ", 1)[0]
            digits = [int(x) for x in __import__("re").findall(r"\d+", head)]
            return ("PtP" in name, digits[-1] if digits else 0, name)

        names = [g["name"]["en"] for g in build("SD330")["groups"] if not g.get("state")]
        self.assertNotEqual(sorted(names), sorted(names, key=natural))
        self.assertIn("PtP", sorted(names, key=natural)[-1])


if __name__ == "__main__":
    unittest.main()
