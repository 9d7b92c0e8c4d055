"""Building blocks of the drive model descriptions: groups, codes and value formatting.

The generator (gen_drives.py) describes each model with these helpers; they fill in the data
type, the range texts and the enumerated/menu details so that every code is written the same way.
"""

import json
import re

INT16 = 3
UINT16 = 4
INT32 = 7
UINT32 = 8
INT64 = 15

TYPE_LIMITS = {
    INT16: (-32768, 32767),
    UINT16: (0, 65535),
    INT32: (-2147483648, 2147483647),
    UINT32: (0, 4294967295),
    INT64: (-9223372036854775808, 9223372036854775807),
}

# Keys of a code in the order they are written.
CODE_KEYS = [
    "index", "name", "common", "authority", "showType", "enum", "items", "menu", "dataType",
    "precision", "min", "max", "default", "unit", "rw", "effect", "store", "relate", "canopen",
    "remark", "relateParams", "sim",
]


def shown(value, precision):
    """A value in shown units as the description text, with exactly `precision` decimals."""
    if precision == 0:
        return str(int(round(value)))
    return "{:.{}f}".format(value, precision)


def raw_of(value, precision):
    return int(round(value * 10 ** precision))


def item_value(item):
    return int(item.split(":", 1)[0])


def smallest_type(lo, hi):
    """The narrowest data type holding the raw range."""
    order = [UINT16, UINT32] if lo >= 0 else [INT16, INT32]
    for dt in order:
        low, high = TYPE_LIMITS[dt]
        if low <= lo and hi <= high:
            return dt
    return INT64


class Group:
    """One function-code group; numbers follow in order unless a gap is reserved."""

    def __init__(self, code, title, state=False, width=2, registry=None):
        self.registry = registry if registry is not None else {}
        self.code = code
        self.title = title
        self.state = state
        self.width = width
        self.codes = []
        self.position = 0

    @property
    def name(self):
        return "{} {}".format(self.code, self.title)

    def next_index(self):
        return "{}.{:0{}d}".format(self.code, self.position, self.width)

    def reserve(self, count=1):
        """Leaves numbers unused, as drives do for codes of other variants."""
        self.position += count

    def _add(self, name, show_type, data_type, lo, hi, default, opts):
        code = {
            "index": self.next_index(),
            "name": name,
            "showType": show_type,
            "dataType": data_type,
            "min": lo,
            "max": hi,
            "default": default,
        }
        if self.state:
            code["rw"] = 0
        key = opts.pop("key", None)
        if key:
            if key in self.registry:
                raise ValueError("symbol {} used twice".format(key))
            self.registry[key] = code["index"]
        for key, value in opts.items():
            if value is None:
                continue
            code[key] = value
        self.codes.append(code)
        self.position += 1
        return code["index"]

    # Decimal codes: ranges in shown units.
    def dec(self, name, lo, hi, default, unit="", prec=0, dt=None, signed=None, **opts):
        rlo, rhi = raw_of(lo, prec), raw_of(hi, prec)
        if signed is None:
            signed = rlo < 0
        if dt is None:
            dt = smallest_type(-1 if signed else rlo, rhi)
        show_type = 8 if signed else 0
        if prec:
            opts["precision"] = prec
        if unit:
            opts["unit"] = unit
        return self._add(name, show_type, dt, shown(lo, prec), shown(hi, prec), shown(default, prec), opts)

    def dec64(self, name, lo, hi, default, unit="", **opts):
        if unit:
            opts["unit"] = unit
        return self._add(name, 10, INT64, str(lo), str(hi), str(default), opts)

    def hex16(self, name, default, hi=0xFFFF, lo=0, **opts):
        return self._add(name, 1, UINT16, str(lo), str(hi), str(default), opts)

    def hex32(self, name, default, hi=0xFFFFFFFF, lo=0, **opts):
        return self._add(name, 9, UINT32, str(lo), str(hi), str(default), opts)

    def enum(self, name, items, default, enum_name=None, dt=UINT16, **opts):
        """items: the "value:label" list (also needed when it is shared as enum_name)."""
        values = [item_value(i) for i in items]
        if enum_name:
            opts["enum"] = enum_name
        else:
            opts["items"] = list(items)
        return self._add(name, 2, dt, str(min(values)), str(max(values)), str(default), opts)

    def menu(self, name, digits, default, **opts):
        """digits: list of (digit name, [option labels]); option i is written as "i label"."""
        menu = []
        top = 0
        for d, (digit_name, labels) in enumerate(digits):
            menu.append({"digit": d, "name": digit_name,
                         "options": ["{} {}".format(i, label) for i, label in enumerate(labels)]})
            top += (len(labels) - 1) * 10 ** d
        opts["menu"] = menu
        return self._add(name, 6, UINT16, "0", str(top), str(default), opts)

    def bits(self, name, default=0, dt=UINT16, **opts):
        hi = TYPE_LIMITS[dt][1]
        return self._add(name, 3, dt, "0", str(hi), str(default), opts)

    def text(self, name, default, **opts):
        # A text has no range; "0" for both keeps the range columns quiet.
        return self._add(name, 4, INT64, "0", "0", default, opts)

    def datetime(self, name, default, **opts):
        return self._add(name, 5, UINT32, "0", str(TYPE_LIMITS[UINT32][1]), str(default), opts)

    def version(self, name, default, **opts):
        return self._add(name, 7, UINT16, "0", "9999", str(default), opts)

    def widen_if_needed(self):
        """Numbers get three digits once a group holds more than 100 codes, keeping them equally wide."""
        if self.position <= 100 or self.width >= 3:
            return
        renamed = {}
        for code in self.codes:
            head, tail = code["index"].split(".", 1)
            renamed[code["index"]] = "{}.{:03d}".format(head, int(tail))
            code["index"] = renamed[code["index"]]
        self.width = 3
        for key, number in self.registry.items():
            if number in renamed:
                self.registry[key] = renamed[number]

    def as_json(self):
        out = {"name": self.name}
        if self.state:
            out["state"] = True
        out["codes"] = [ordered(c) for c in self.codes]
        return out


# The languages every text shown to a user is written in, as the keys of its text object.
LANGUAGES = ("en", "zh_CN")
NUMBER_RE = re.compile(r"\d+(?:\.\d+)?")


class Localiser:
    """Turns the English texts of a built model into text objects {"en": ..., "zh_CN": ...}.

    The Chinese text comes from a table keyed by the English one (see texts_zh.py); a text the table
    lacks is collected, and localise() refuses the model naming every one of them.
    """

    def __init__(self, table):
        self.table = table
        self.missing = set()

    def chinese(self, english):
        if english in self.table:
            return self.table[english]
        pattern = NUMBER_RE.sub("{}", english)
        if pattern != english and pattern in self.table:
            return self.table[pattern].format(*NUMBER_RE.findall(english))
        self.missing.add(pattern)
        return english

    def text(self, english):
        return {"en": english, "zh_CN": self.chinese(english)}

    def headed(self, english, separator):
        """A text that starts with a value ("1:Speed control", "0 Off", "P00 Motor"): the head stays."""
        head, label = english.split(separator, 1)
        return {"en": english, "zh_CN": head + separator + self.chinese(label)}

    def code(self, code):
        for key in ("name", "remark"):
            if key in code:
                code[key] = self.text(code[key])
        if "items" in code:
            code["items"] = [self.headed(i, ":") for i in code["items"]]
        for digit in code.get("menu", []):
            digit["name"] = self.text(digit["name"])
            digit["options"] = [self.headed(o, " ") for o in digit["options"]]

    def localise(self, model):
        model["enums"] = {name: [self.headed(i, ":") for i in items] for name, items in model["enums"].items()}
        for group in model["groups"]:
            group["name"] = self.headed(group["name"], " ")
            for code in group["codes"]:
                self.code(code)
        for fault in model["faults"]:
            for key in ("name", "reason", "remedy"):
                fault[key] = self.text(fault[key])
        for row in model["historyFormat"]:
            row["name"] = self.text(row["name"])
        if self.missing:
            raise ValueError("{}: no Chinese text for {}".format(model["model"], sorted(self.missing)))
        return model


def ordered(code):
    unknown = [k for k in code if k not in CODE_KEYS]
    if unknown:
        raise ValueError("{}: unknown keys {}".format(code.get("index"), unknown))
    return {k: code[k] for k in CODE_KEYS if k in code}


def dump_model(model):
    """Pretty JSON with one code, enum, effect, fault or history row per line."""

    def one(value):
        return json.dumps(value, ensure_ascii=False)

    lines = ["{"]
    top = []
    for key, value in model.items():
        if key == "groups":
            groups = []
            for g in value:
                head = ['    {', '      "name": ' + one(g["name"]) + ',']
                if g.get("state"):
                    head.append('      "state": true,')
                codes = ",\n".join("        " + one(c) for c in g["codes"])
                groups.append("\n".join(head) + '\n      "codes": [\n' + codes + "\n      ]\n    }")
            top.append('  "groups": [\n' + ",\n".join(groups) + "\n  ]")
        elif key == "enums":
            rows = ",\n".join("    {}: {}".format(one(k), one(v)) for k, v in value.items())
            top.append('  "enums": {\n' + rows + "\n  }")
        elif isinstance(value, list) and value and isinstance(value[0], dict):
            rows = ",\n".join("    " + one(v) for v in value)
            top.append("  {}: [\n{}\n  ]".format(one(key), rows))
        else:
            top.append("  {}: {}".format(one(key), one(value)))
    lines.append(",\n".join(top))
    lines.append("}")
    return "\n".join(lines) + "\n"
