#!/usr/bin/env python3
"""Checks drive model descriptions against the rules of data/drives/README.md.

    python3 data/drives/tools/check_drives.py                 # every *.json of data/drives
    python3 data/drives/tools/check_drives.py FILE_OR_DIR ...  # the given files or folders
    options:
      --no-coverage   only the format rules (for test fixtures and hand-made files)
      --generated     also regenerate into a temporary folder and require identical files

Every problem is printed as "file: place: reason"; the exit status is 1 when there is any.
Besides the format rules it checks what the workbench relies on in the shipped models
(--no-coverage switches these off): every show type, right, effect style and authority used,
a point-to-point group, simulated state codes, 15 to 30 faults and 8 to 12 history rows.
Python 3 standard library only.
"""

import argparse
import filecmp
import json
import os
import re
import subprocess
import sys
import tempfile

TYPE_LIMITS = {
    3: (-32768, 32767),
    4: (0, 65535),
    7: (-2147483648, 2147483647),
    8: (0, 4294967295),
    15: (-9223372036854775808, 9223372036854775807),
}
TYPE_BYTES = {3: 2, 4: 2, 7: 4, 8: 4, 15: 8}
REGISTERS = {t: b // 2 for t, b in TYPE_BYTES.items()}
RESERVED_REGISTERS = 0xF000  # the drive's command and status area on a bus link
DECIMAL_TYPES = {0, 8, 10}
# Data types each show type may use (None: any).
SHOW_DATA_TYPES = {
    0: None, 1: {3, 4}, 2: None, 3: None, 4: {15}, 5: {7, 8, 15}, 6: None, 7: None,
    8: {3, 7, 15}, 9: {7, 8}, 10: {15},
}
TOP_KEYS = {"format", "model", "configVersion", "axisNum", "identity", "renamedFrom", "motorTypeCode",
            "oscilloscope", "enums", "groups", "effects", "faults", "historyFormat"}
REQUIRED_TOP = {"format", "model", "configVersion", "axisNum", "identity", "groups"}
CODE_KEYS = {"index", "name", "common", "authority", "showType", "enum", "items", "menu", "dataType", "precision",
             "min", "max", "default", "unit", "rw", "effect", "store", "relate", "modbus", "canopen", "usb",
             "remark", "relateParams", "sim"}
SIM_KINDS = {"sine", "ramp", "noise", "const", "clock"}
INTEGER_RE = re.compile(r"^-?\d+$")
DECIMAL_RE = re.compile(r"^-?\d+(\.(\d+))?$")
HISTORY_NUMBER_RE = re.compile(r"^[1-9]\d?(~[1-9]\d?)?$")
CANOPEN_RE = re.compile(r"^0x[0-9A-F]{4}:[0-9A-F]{2}$")
FAULT_CODE_RE = re.compile(r"^[A-Z]+\.\d{3}$")
# Every text shown to a user is an object with one text per language.
LANGUAGES = ("en", "zh_CN")


class DuplicateKey(ValueError):
    pass


def no_duplicates(pairs):
    seen = {}
    for key, value in pairs:
        if key in seen:
            raise DuplicateKey("key \"{}\" appears twice in one object".format(key))
        seen[key] = value
    return seen


def item_value(item):
    if isinstance(item, dict):
        item = item.get("en", "")
    head = item.split(":", 1)[0].strip() if isinstance(item, str) else ""
    return int(head) if INTEGER_RE.match(head) else None


def english(text):
    """The English text of a text object (or of a plain text, for messages)."""
    return text.get("en", "") if isinstance(text, dict) else text if isinstance(text, str) else ""


class Checker:
    """Checks one model; problems collect in self.errors as (place, reason)."""

    def __init__(self, path, coverage):
        self.path = path
        self.coverage = coverage
        self.errors = []
        self.model = None
        self.codes = {}  # number -> (code, group name, is state)
        self.summary = {}

    def err(self, where, what):
        self.errors.append((where, what))

    # ------------------------------------------------------------------ entry
    def run(self):
        try:
            with open(self.path, "rb") as f:
                data = f.read()
            text = data.decode("utf-8")
            root = json.loads(text, object_pairs_hook=no_duplicates)
        except (OSError, UnicodeDecodeError, ValueError) as e:
            self.err("file", "cannot be read as JSON: {}".format(e))
            return
        if not isinstance(root, dict):
            self.err("file", "does not hold a JSON object")
            return
        self.model = root
        self.check_top(root)
        enums = self.check_enums(root.get("enums", {}))
        self.check_groups(root.get("groups"), enums)
        self.check_addresses(root.get("groups"))
        self.check_references(root)
        self.check_effects(root.get("effects", []))
        self.check_faults(root.get("faults", []))
        self.check_history(root.get("historyFormat", []))
        if self.coverage:
            self.check_coverage(root)

    def texts(self, where, value, key, required=True):
        """A text shown to a user, {"en": ..., "zh_CN": ...}: its texts by language, or None."""
        if value is None:
            if required:
                self.err(where, "\"{}\" is missing".format(key))
            return None
        if not isinstance(value, dict):
            self.err(where, "\"{}\" must be an object with a text per language {}".format(key, list(LANGUAGES)))
            return None
        extra = set(value) - set(LANGUAGES)
        if extra:
            self.err(where, "\"{}\" has texts of unknown languages {}".format(key, sorted(extra)))
        for language in LANGUAGES:
            text = value.get(language)
            if not isinstance(text, str) or not text.strip():
                self.err(where, "\"{}\" has no {} text".format(key, language))
                return None
        return {language: value[language] for language in LANGUAGES}

    # ------------------------------------------------------------------ top level
    def check_top(self, root):
        for key in root:
            if key not in TOP_KEYS:
                self.err("top level", "unknown key \"{}\"".format(key))
        for key in REQUIRED_TOP:
            if key not in root:
                self.err("top level", "\"{}\" is missing".format(key))
        if root.get("format") != 1:
            self.err("format", "must be 1")
        model = root.get("model")
        if not isinstance(model, str) or not model.strip():
            self.err("model", "must be a non-empty text")
        elif os.path.basename(self.path) != model + ".json":
            self.err("model", "the file must be named \"{}.json\"".format(model))
        if not isinstance(root.get("configVersion"), str) or not root.get("configVersion"):
            self.err("configVersion", "must be a non-empty text")
        axes = root.get("axisNum")
        if not isinstance(axes, int) or isinstance(axes, bool) or not 1 <= axes <= 3:
            self.err("axisNum", "must be 1, 2 or 3")
        identity = root.get("identity")
        if not isinstance(identity, dict):
            self.err("identity", "must be an object")
        else:
            for key in ("family", "firmware"):
                if not isinstance(identity.get(key), str) or not identity.get(key):
                    self.err("identity", "\"{}\" must be a non-empty text".format(key))
            if not isinstance(identity.get("number"), int) or isinstance(identity.get("number"), bool):
                self.err("identity", "\"number\" must be an integer")
            extra = set(identity) - {"family", "firmware", "number"}
            if extra:
                self.err("identity", "unknown keys {}".format(sorted(extra)))
        renamed = root.get("renamedFrom", [])
        if not isinstance(renamed, list) or not all(isinstance(r, str) and r for r in renamed):
            self.err("renamedFrom", "must be a list of non-empty texts")
        elif model in renamed:
            self.err("renamedFrom", "lists the model's own name")
        if not isinstance(root.get("motorTypeCode", ""), str):
            self.err("motorTypeCode", "must be a text")
        osci = root.get("oscilloscope", {})
        if not isinstance(osci, dict) or set(osci) - {"firstCode", "noEditCodes"}:
            self.err("oscilloscope", "must be an object with \"firstCode\" and \"noEditCodes\"")
        elif not isinstance(osci.get("noEditCodes", []), list):
            self.err("oscilloscope", "\"noEditCodes\" must be a list")
        for key in ("effects", "faults", "historyFormat", "groups"):
            if key in root and not isinstance(root[key], list):
                self.err(key, "must be a list")

    def check_enums(self, enums):
        if not isinstance(enums, dict):
            self.err("enums", "must be an object")
            return {}
        good = {}
        for name, items in enums.items():
            if self.check_items("enums." + name, items):
                good[name] = items
        return good

    def check_items(self, where, items):
        if not isinstance(items, list) or not items:
            self.err(where, "needs a non-empty list of \"value:label\" items")
            return False
        values = set()
        ok = True
        for item in items:
            texts = self.texts(where, item, "item")
            if texts is None:
                ok = False
                continue
            heads = set()
            for text in texts.values():
                if ":" not in text or "\n" in text:
                    self.err(where, "item {!r} is not \"value:label\"".format(text))
                    ok = False
                    continue
                if item_value(text) is None or not text.split(":", 1)[1].strip():
                    self.err(where, "item {!r} needs an integer value and a label".format(text))
                    ok = False
                heads.add(item_value(text))
            if len(heads) > 1:
                self.err(where, "item {!r} starts with another value in another language".format(texts["en"]))
                ok = False
            value = item_value(item)
            if value is not None and value in values:
                self.err(where, "value {} appears twice".format(value))
                ok = False
            values.add(value)
        return ok

    # ------------------------------------------------------------------ groups and codes
    def check_groups(self, groups, enums):
        if not isinstance(groups, list) or not groups:
            self.err("groups", "must be a non-empty list")
            return
        names, group_codes = set(), set()
        for gi, group in enumerate(groups):
            where = "groups[{}]".format(gi)
            if not isinstance(group, dict):
                self.err(where, "must be an object")
                continue
            extra = set(group) - {"name", "state", "codes"}
            if extra:
                self.err(where, "unknown keys {}".format(sorted(extra)))
            names_by_language = self.texts(where, group.get("name"), "name")
            if names_by_language is None:
                continue
            if any(" " not in n.strip() or n != n.strip() for n in names_by_language.values()):
                self.err(where, "name must be the group code, a blank and a title")
                continue
            name = names_by_language["en"]
            where = "group " + name
            code = name.split(" ", 1)[0]
            if any(n.split(" ", 1)[0] != code for n in names_by_language.values()):
                self.err(where, "the name starts with another group code in another language")
            if name in names or code in group_codes:
                self.err(where, "group name or group code used twice")
            names.add(name)
            group_codes.add(code)
            state = group.get("state", False)
            if not isinstance(state, bool):
                self.err(where, "\"state\" must be true or false")
            codes = group.get("codes")
            if not isinstance(codes, list) or not codes:
                self.err(where, "needs a non-empty \"codes\" list")
                continue
            widths = set()
            for c in codes:
                number = c.get("index") if isinstance(c, dict) else None
                if isinstance(number, str) and "." in number:
                    widths.add(len(number.split(".", 1)[1]))
                self.check_code(c, code, name, bool(state), enums)
            if len(widths) > 1:
                self.err(where, "the numbers after \".\" do not all have the same width")

    def check_code(self, c, group_code, group_name, state, enums):
        if not isinstance(c, dict):
            self.err("group " + group_name, "a code is not an object")
            return
        number = c.get("index")
        where = "{} {}".format(group_name.split(" ", 1)[0], number)
        if not isinstance(number, str) or "." not in number:
            self.err(where, "\"index\" must be a number like \"P00.01\"")
            return
        head, tail = number.split(".", 1)
        if head != group_code:
            self.err(where, "the number does not start with the group code \"{}\"".format(group_code))
        if not tail.isdigit():
            self.err(where, "the part after \".\" must be digits")
        if number in self.codes:
            self.err(where, "number used twice")
        self.codes[number] = (c, group_name, state)
        for key in c:
            if key not in CODE_KEYS:
                self.err(where, "unknown key \"{}\"".format(key))
        for key in ("min", "max", "default"):
            if key not in c:
                self.err(where, "\"{}\" is missing".format(key))
        self.texts(where, c.get("name"), "name")
        self.texts(where, c.get("remark"), "remark", required=False)
        self.check_plain_fields(c, where, state)
        show = c.get("showType", 0)
        data_type = c.get("dataType", 4)
        allowed = SHOW_DATA_TYPES.get(show)
        if allowed is not None and data_type in TYPE_LIMITS and data_type not in allowed:
            self.err(where, "show type {} cannot use data type {}".format(show, data_type))
        if show not in SHOW_DATA_TYPES or data_type not in TYPE_LIMITS:
            return
        if c.get("precision", 0) and show not in DECIMAL_TYPES:
            self.err(where, "\"precision\" only applies to decimal codes")
        if ("enum" in c or "items" in c) and show != 2:
            self.err(where, "\"enum\"/\"items\" only apply to enumerated codes")
        if "menu" in c and show != 6:
            self.err(where, "\"menu\" only applies to menu parameters")
        if "sim" in c:
            self.check_sim(c["sim"], where, state)
        if not all(isinstance(c.get(k), str) for k in ("min", "max", "default")):
            self.err(where, "\"min\", \"max\" and \"default\" must be texts")
            return
        if show in DECIMAL_TYPES:
            self.check_decimal(c, where, data_type)
        elif show == 2:
            self.check_enumerated(c, where, data_type, enums)
        elif show == 6:
            self.check_menu(c, where, data_type)
        elif show == 4:
            self.check_text(c, where, data_type)
        else:
            self.check_integer_range(c, where, data_type)

    def check_plain_fields(self, c, where, state):
        def integer(key, lo, hi):
            if key in c and (not isinstance(c[key], int) or isinstance(c[key], bool) or not lo <= c[key] <= hi):
                self.err(where, "\"{}\" must be an integer from {} to {}".format(key, lo, hi))

        integer("authority", 0, 3)
        integer("showType", 0, 10)
        integer("precision", 0, 4)
        integer("rw", 0, 3)
        integer("effect", 0, 2)
        integer("modbus", 0, 65535)
        if "dataType" in c and c["dataType"] not in TYPE_LIMITS:
            self.err(where, "\"dataType\" must be 3, 4, 7, 8 or 15")
        for key in ("common", "store"):
            if key in c and not isinstance(c[key], bool):
                self.err(where, "\"{}\" must be true or false".format(key))
        for key in ("unit", "usb", "relate"):
            if key in c and not isinstance(c[key], str):
                self.err(where, "\"{}\" must be a text".format(key))
        relate = c.get("relate", "")
        if isinstance(relate, str) and (set(relate) - set("FPST") or len(set(relate)) != len(relate)):
            self.err(where, "\"relate\" may hold each of F, P, S, T once")
        if "canopen" in c and (not isinstance(c["canopen"], str) or not CANOPEN_RE.match(c["canopen"])):
            self.err(where, "\"canopen\" must look like \"0x2000:01\"")
        if "relateParams" in c and (not isinstance(c["relateParams"], list)
                                    or not all(isinstance(r, str) for r in c["relateParams"])):
            self.err(where, "\"relateParams\" must be a list of numbers")
        if state and c.get("rw", 0) != 0:
            self.err(where, "codes of a state group are read only (rw 0)")

    def check_sim(self, sim, where, state):
        if not state:
            self.err(where, "\"sim\" belongs to state codes only")
        if not isinstance(sim, dict) or sim.get("kind") not in SIM_KINDS:
            self.err(where, "\"sim\" needs a kind of {}".format(sorted(SIM_KINDS)))
            return
        for key in ("base", "amp", "periodS"):
            if key in sim and (not isinstance(sim[key], (int, float)) or isinstance(sim[key], bool)):
                self.err(where, "sim \"{}\" must be a number".format(key))
        if isinstance(sim.get("periodS", 10), (int, float)) and sim.get("periodS", 10) <= 0:
            self.err(where, "sim \"periodS\" must be positive")
        extra = set(sim) - {"kind", "base", "amp", "periodS"}
        if extra:
            self.err(where, "sim has unknown keys {}".format(sorted(extra)))

    def raw_decimal(self, text, precision, where, key):
        m = DECIMAL_RE.match(text)
        if not m:
            self.err(where, "\"{}\" = {!r} is not a decimal number".format(key, text))
            return None
        decimals = len(m.group(2) or "")
        if decimals != precision:
            self.err(where, "\"{}\" = {!r} must have {} decimals".format(key, text, precision))
        whole, _, frac = text.lstrip("-").partition(".")
        raw = int(whole) * 10 ** precision + int((frac + "0" * precision)[:precision] or 0)
        return -raw if text.startswith("-") else raw

    def in_type(self, raw, data_type, where, key):
        lo, hi = TYPE_LIMITS[data_type]
        if not lo <= raw <= hi:
            self.err(where, "\"{}\" (raw {}) does not fit data type {}".format(key, raw, data_type))

    def ordered(self, lo, default, hi, where):
        if not lo <= hi:
            self.err(where, "\"min\" is above \"max\"")
        elif not lo <= default <= hi:
            self.err(where, "the default is outside min and max")

    def check_decimal(self, c, where, data_type):
        precision = c.get("precision", 0)
        raws = {}
        for key in ("min", "max", "default"):
            raws[key] = self.raw_decimal(c[key], precision, where, key)
            if raws[key] is not None:
                self.in_type(raws[key], data_type, where, key)
        if None in raws.values():
            return
        if c.get("showType", 0) == 0 and raws["min"] < 0:
            self.err(where, "an unsigned decimal code cannot have a negative minimum (use show type 8)")
        self.ordered(raws["min"], raws["default"], raws["max"], where)

    def integers(self, c, where, data_type):
        out = {}
        for key in ("min", "max", "default"):
            if not INTEGER_RE.match(c[key]):
                self.err(where, "\"{}\" = {!r} must be a decimal integer".format(key, c[key]))
                return None
            out[key] = int(c[key])
            self.in_type(out[key], data_type, where, key)
        return out

    def check_integer_range(self, c, where, data_type):
        v = self.integers(c, where, data_type)
        if v:
            self.ordered(v["min"], v["default"], v["max"], where)

    def check_enumerated(self, c, where, data_type, enums):
        if ("enum" in c) == ("items" in c):
            self.err(where, "an enumerated code needs exactly one of \"enum\" and \"items\"")
            return
        if "enum" in c:
            items = enums.get(c["enum"])
            if items is None:
                self.err(where, "unknown value list \"{}\"".format(c["enum"]))
                return
        else:
            items = c["items"]
            if not self.check_items(where, items):
                return
        values = {item_value(i) for i in items}
        v = self.integers(c, where, data_type)
        if not v:
            return
        for key in ("min", "max", "default"):
            if v[key] not in values:
                self.err(where, "\"{}\" = {} is not a value of the list".format(key, v[key]))
        for value in values:
            lo, hi = TYPE_LIMITS[data_type]
            if not lo <= value <= hi:
                self.err(where, "item value {} does not fit data type {}".format(value, data_type))
            if not v["min"] <= value <= v["max"]:
                self.err(where, "item value {} lies outside min and max".format(value))
        self.ordered(v["min"], v["default"], v["max"], where)

    def check_menu(self, c, where, data_type):
        menu = c.get("menu")
        if not isinstance(menu, list) or not menu:
            self.err(where, "a menu parameter needs a non-empty \"menu\"")
            return
        options_of = {}
        for d in menu:
            if not isinstance(d, dict) or set(d) != {"digit", "name", "options"}:
                self.err(where, "each menu entry needs exactly \"digit\", \"name\" and \"options\"")
                return
            digit, name, options = d["digit"], d["name"], d["options"]
            if not isinstance(digit, int) or not 0 <= digit <= 9 or digit in options_of:
                self.err(where, "menu digits must be distinct integers from 0 to 9")
                return
            names = self.texts(where, name, "name") or {}
            if any(":" in n or "\n" in n for n in names.values()):
                self.err(where, "menu digit {} needs a name without \":\"".format(digit))
            if not isinstance(options, list) or not options or len(options) > 10:
                self.err(where, "menu digit {} needs 1 to 10 options".format(digit))
                return
            for i, option in enumerate(options):
                for text in (self.texts(where, option, "option") or {}).values():
                    if not text.startswith("{} ".format(i)) or ";" in text or "\n" in text:
                        self.err(where, "menu digit {} option {!r} must read \"{} label\" without \";\""
                                 .format(digit, text, i))
            options_of[digit] = len(options)
        if sorted(options_of) != list(range(len(options_of))):
            self.err(where, "menu digits must run from 0 without gaps")
        v = self.integers(c, where, data_type)
        if not v:
            return
        for key in ("min", "max", "default"):
            value = v[key]
            if value < 0 or value >= 10 ** len(options_of):
                self.err(where, "\"{}\" = {} has more digits than the menu".format(key, value))
                continue
            for digit, count in options_of.items():
                if (value // 10 ** digit) % 10 >= count:
                    self.err(where, "\"{}\" = {} chooses a missing option of digit {}".format(key, value, digit))
        self.ordered(v["min"], v["default"], v["max"], where)

    def check_text(self, c, where, data_type):
        for key in ("min", "max"):
            if not INTEGER_RE.match(c[key]):
                self.err(where, "\"{}\" of a text code must be a decimal integer".format(key))
                return
        default = c["default"]
        if INTEGER_RE.match(default):
            raw = int(default)
        else:
            if len(default) > 8 or not all(32 <= ord(ch) < 127 for ch in default):
                self.err(where, "a text default holds up to 8 printable ASCII characters")
                return
            if default.lower().startswith("0x"):
                self.err(where, "a text default starting with \"0x\" would be read as a number")
            raw = 0
            for ch in default.ljust(8, "\0"):
                raw = (raw << 8) | ord(ch)
        # A text carries no range (the workbench checks none), so min and max are not compared with it.
        self.in_type(int(c["min"]), data_type, where, "min")
        self.in_type(int(c["max"]), data_type, where, "max")
        self.in_type(raw, data_type, where, "default")
        if int(c["min"]) > int(c["max"]):
            self.err(where, "\"min\" is above \"max\"")

    # ------------------------------------------------------------------ addresses
    def check_addresses(self, groups):
        """The loader gives each group 1024 registers (a code takes 1, 2 or 4 by its data type) and one
        CANopen object."""
        if not isinstance(groups, list):
            return
        modbus, canopen = {}, {}
        for gi, group in enumerate(groups):
            if not isinstance(group, dict) or not isinstance(group.get("codes"), list):
                continue
            state = group.get("state", False)
            offset = 0
            for pos, c in enumerate(group["codes"]):
                if not isinstance(c, dict):
                    continue
                where = str(c.get("index"))
                width = REGISTERS.get(c.get("dataType", 4), 4)
                mb = c.get("modbus", (gi << 10) + offset)
                offset += width
                if isinstance(mb, int) and mb + width > RESERVED_REGISTERS:
                    self.err(where, "register address {} reaches into the command area at {}"
                             .format(mb, RESERVED_REGISTERS))
                if isinstance(mb, int):
                    for r in range(mb + 1, mb + width):
                        if r in modbus:
                            self.err(where, "register {} is also used by {}".format(r, modbus[r]))
                        modbus[r] = where
                co = c.get("canopen")
                if co is None:
                    if pos > 0xFF:
                        self.err(where, "position {} needs an explicit \"canopen\" (sub-index above 0xFF)"
                                 .format(pos))
                    co = "0x{:04X}:{:02X}".format((0x3000 if state else 0x2000) + gi, pos)
                for table, key, kind in ((modbus, mb, "register address"), (canopen, co, "CANopen address")):
                    if key in table:
                        self.err(where, "{} {} is also used by {}".format(kind, key, table[key]))
                    table[key] = where

    # ------------------------------------------------------------------ references
    def check_references(self, root):
        for number, (c, _, _) in self.codes.items():
            for r in c.get("relateParams", []) if isinstance(c.get("relateParams"), list) else []:
                if r not in self.codes:
                    self.err(number, "related code {} does not exist".format(r))
                elif r == number:
                    self.err(number, "lists itself as a related code")
        motor = root.get("motorTypeCode", "")
        if isinstance(motor, str) and motor:
            found = self.codes.get(motor)
            if not found:
                self.err("motorTypeCode", "names an unknown code {}".format(motor))
            elif found[2] or found[0].get("showType", 0) != 2:
                self.err("motorTypeCode", "must name an enumerated setting code")
        osci = root.get("oscilloscope", {})
        if isinstance(osci, dict):
            first = osci.get("firstCode", "")
            if first and first not in self.codes:
                self.err("oscilloscope", "\"firstCode\" {} does not exist".format(first))
            for n in osci.get("noEditCodes", []) if isinstance(osci.get("noEditCodes"), list) else []:
                if n not in self.codes:
                    self.err("oscilloscope", "no-edit code {} does not exist".format(n))

    def shown_raw(self, code, text):
        """Raw value of a shown text for a code, or None."""
        show = code.get("showType", 0)
        if show in DECIMAL_TYPES:
            m = DECIMAL_RE.match(text)
            if not m or len(m.group(2) or "") > code.get("precision", 0):
                return None
            return round(float(text) * 10 ** code.get("precision", 0))
        return int(text) if INTEGER_RE.match(text) else None

    def raw_range(self, code):
        lo = self.shown_raw(code, code.get("min", ""))
        hi = self.shown_raw(code, code.get("max", ""))
        return lo, hi

    def check_effects(self, effects):
        if not isinstance(effects, list):
            return
        for i, e in enumerate(effects):
            where = "effects[{}]".format(i)
            if not isinstance(e, dict):
                self.err(where, "must be an object")
                continue
            extra = set(e) - {"source", "target", "table", "scale", "offset"}
            if extra:
                self.err(where, "unknown keys {}".format(sorted(extra)))
            src, dst = self.codes.get(e.get("source")), self.codes.get(e.get("target"))
            if not src or not dst:
                self.err(where, "source and target must be codes of the model")
                continue
            if src[2] or dst[2]:
                self.err(where, "source and target must be setting codes, not state codes")
            if e["source"] == e["target"]:
                self.err(where, "source and target are the same code")
            has_table, has_scale = "table" in e, "scale" in e
            if has_table == has_scale:
                self.err(where, "needs exactly one of \"table\" and \"scale\"")
                continue
            if has_table:
                self.check_effect_table(e, src[0], dst[0], where)
            else:
                for key in ("scale", "offset"):
                    if key in e and (not isinstance(e[key], (int, float)) or isinstance(e[key], bool)):
                        self.err(where, "\"{}\" must be a number".format(key))

    def check_effect_table(self, e, src, dst, where):
        table = e["table"]
        if not isinstance(table, dict) or not table:
            self.err(where, "\"table\" must be a non-empty object")
            return
        src_values = None
        if src.get("showType") == 2:
            items = src.get("items") or (self.model.get("enums") or {}).get(src.get("enum"), [])
            src_values = {item_value(i) for i in items}
        lo, hi = self.raw_range(dst)
        for key, value in table.items():
            if not INTEGER_RE.match(key):
                self.err(where, "table key {!r} is not an integer".format(key))
            elif src_values is not None and int(key) not in src_values:
                self.err(where, "table key {} is not a value of the source".format(key))
            if not isinstance(value, str):
                self.err(where, "table value of {} must be a text".format(key))
                continue
            raw = self.shown_raw(dst, value)
            if raw is None:
                self.err(where, "table value {!r} is not a value of the target".format(value))
            elif lo is not None and hi is not None and not lo <= raw <= hi:
                self.err(where, "table value {} lies outside the target's range".format(value))
        # The shipped defaults must agree with the table, or a fresh drive would contradict itself.
        default_key = src.get("default")
        if default_key in table and self.shown_raw(dst, table[default_key]) != self.shown_raw(dst, dst["default"]):
            self.err(where, "the target's default {} differs from the table's {} for the source's default"
                     .format(dst["default"], table[default_key]))

    # ------------------------------------------------------------------ faults and history
    def check_faults(self, faults):
        if not isinstance(faults, list):
            return
        seen = set()
        for i, f in enumerate(faults):
            where = "faults[{}]".format(i)
            if not isinstance(f, dict):
                self.err(where, "must be an object")
                continue
            extra = set(f) - {"code", "name", "reason", "remedy", "canClear", "stopNow", "history"}
            if extra:
                self.err(where, "unknown keys {}".format(sorted(extra)))
            code = f.get("code")
            if not isinstance(code, str) or not FAULT_CODE_RE.match(code):
                self.err(where, "\"code\" must look like \"E.101\"")
            elif code in seen:
                self.err(where, "fault {} listed twice".format(code))
            seen.add(code)
            for key in ("name", "reason", "remedy"):
                self.texts(where, f.get(key), key)
            for key in ("canClear", "stopNow", "history"):
                if key in f and not isinstance(f[key], bool):
                    self.err(where, "\"{}\" must be true or false".format(key))

    def check_history(self, rows):
        if not isinstance(rows, list):
            return
        used = {}
        total = 0
        faultcodes = 0
        for i, row in enumerate(rows):
            where = "historyFormat[{}]".format(i)
            if not isinstance(row, dict):
                self.err(where, "must be an object")
                continue
            extra = set(row) - {"number", "name", "dataType", "length", "param"}
            if extra:
                self.err(where, "unknown keys {}".format(sorted(extra)))
            number = row.get("number")
            if not isinstance(number, str) or not HISTORY_NUMBER_RE.match(number):
                self.err(where, "\"number\" must be \"n\" or \"a~b\" with one or two digits, counted from 1")
                continue
            parts = [int(x) for x in number.split("~")]
            first, last = parts[0], parts[-1]
            if last < first:
                self.err(where, "the range {} runs backwards".format(number))
                continue
            data_type, length = row.get("dataType"), row.get("length")
            if data_type not in TYPE_BYTES:
                self.err(where, "\"dataType\" must be 3, 4, 7, 8 or 15")
                continue
            if length != (last - first + 1) * 2:
                self.err(where, "\"length\" {} does not match words {}".format(length, number))
            if length != TYPE_BYTES[data_type]:
                self.err(where, "\"length\" {} does not match data type {}".format(length, data_type))
            self.texts(where, row.get("name"), "name")
            total += length if isinstance(length, int) else 0
            for w in range(first, last + 1):
                if w in used:
                    self.err(where, "word {} is also used by {}".format(w, used[w]))
                used[w] = where
            param = row.get("param")
            if not isinstance(param, str):
                self.err(where, "\"param\" must be a text")
            elif param.upper() == "FAULTCODE":
                faultcodes += 1
            elif param.upper() != "RESERVE":
                found = self.codes.get(param)
                if not found:
                    self.err(where, "parameter {} is not a code of the model".format(param))
                elif not found[2]:
                    self.err(where, "parameter {} must be a state code".format(param))
                elif found[0].get("dataType", 4) != data_type:
                    self.err(where, "data type {} differs from that of {} ({})"
                             .format(data_type, param, found[0].get("dataType", 4)))
        if total > 128:
            self.err("historyFormat", "a record holds at most 128 bytes, these rows need {}".format(total))
        if rows and faultcodes != 1:
            self.err("historyFormat", "needs exactly one FAULTCODE row")

    # ------------------------------------------------------------------ shipped-model coverage
    def check_coverage(self, root):
        normal = [c for c, _, s in self.codes.values() if not s]
        state = [c for c, _, s in self.codes.values() if s]
        every = list(self.codes.values())

        def need(label, wanted, found):
            missing = sorted(set(wanted) - set(found))
            if missing:
                self.err("coverage", "no code with {} {}".format(label, missing))

        need("showType", range(11), [c.get("showType", 0) for c, _, _ in every])
        need("rw", range(4), [c.get("rw", 0 if s else 1) for c, _, s in every])
        need("effect", range(3), [c.get("effect", 0) for c, _, _ in every])
        need("authority", range(4), [c.get("authority", 0) for c, _, _ in every])
        need("state-code showType", [3, 4, 5, 7], [c.get("showType", 0) for c in state])
        groups = root.get("groups") or []
        if not any("PtP" in english(g.get("name")) for g in groups if isinstance(g, dict)):
            self.err("coverage", "no group whose name contains \"PtP\"")
        if not state:
            self.err("coverage", "no state group")
        for c in state:
            if "sim" not in c:
                self.err("coverage", "state code {} has no \"sim\"".format(c.get("index")))
        if not root.get("motorTypeCode"):
            self.err("coverage", "no motor-type code")
        if not any(c.get("relateParams") for c in normal):
            self.err("coverage", "no code with related parameters")
        if not any("scale" in e for e in root.get("effects", [])) or not any("table" in e for e in
                                                                               root.get("effects", [])):
            self.err("coverage", "needs both table and linear effects")
        if not 15 <= len(root.get("faults", [])) <= 30:
            self.err("coverage", "ship 15 to 30 faults")
        if not 8 <= len(root.get("historyFormat", [])) <= 12:
            self.err("coverage", "ship 8 to 12 history rows")
        longest = max((len(g.get("codes", [])) for g in groups if isinstance(g, dict)), default=0)
        self.summary = {"codes": len(self.codes), "groups": len(groups), "longest": longest}


def check_across(checkers):
    """Model names, old names and identities must not collide between files."""
    problems = []
    names, identities = {}, {}
    for ch in checkers:
        root = ch.model
        if not isinstance(root, dict):
            continue
        for name in [root.get("model")] + list(root.get("renamedFrom") or []):
            if name in names:
                problems.append((ch.path, "model name {} is also used by {}".format(name, names[name])))
            names[name] = ch.path
        ident = root.get("identity")
        if isinstance(ident, dict):
            key = (ident.get("family"), ident.get("firmware"), ident.get("number"))
            if key in identities:
                problems.append((ch.path, "identity {} is also used by {}".format(key, identities[key])))
            identities[key] = ch.path
    return problems


def compare_with_generator(folder):
    generator = os.path.join(os.path.dirname(os.path.abspath(__file__)), "gen_drives.py")
    problems = []
    with tempfile.TemporaryDirectory() as tmp:
        subprocess.run([sys.executable, generator, "--out", tmp], check=True, stdout=subprocess.DEVNULL)
        for name in sorted(os.listdir(tmp)):
            shipped = os.path.join(folder, name)
            if not os.path.exists(shipped) or not filecmp.cmp(shipped, os.path.join(tmp, name), shallow=False):
                problems.append((shipped, "differs from what gen_drives.py writes; run it again"))
    return problems


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    default_dir = os.path.dirname(here)
    parser = argparse.ArgumentParser(description="Check drive model descriptions.")
    parser.add_argument("paths", nargs="*", default=[default_dir])
    parser.add_argument("--no-coverage", action="store_true", help="check only the format rules")
    parser.add_argument("--generated", action="store_true", help="require the files to match gen_drives.py")
    args = parser.parse_args()
    files = []
    for p in args.paths:
        if os.path.isdir(p):
            files += [os.path.join(p, n) for n in sorted(os.listdir(p)) if n.endswith(".json")]
        else:
            files.append(p)
    if not files:
        print("no .json files found")
        return 1
    checkers = []
    failed = False
    for path in files:
        ch = Checker(path, not args.no_coverage)
        ch.run()
        checkers.append(ch)
        for where, what in ch.errors:
            print("{}: {}: {}".format(path, where, what))
        failed = failed or bool(ch.errors)
        if not ch.errors:
            s = ch.summary or {"codes": len(ch.codes)}
            print("{}: OK ({})".format(os.path.basename(path), ", ".join("{} {}".format(k, v) for k, v in s.items())))
    problems = check_across(checkers)
    if args.generated:
        problems += compare_with_generator(default_dir)
    for path, what in problems:
        print("{}: {}".format(path, what))
    return 1 if failed or problems else 0


if __name__ == "__main__":
    sys.exit(main())
