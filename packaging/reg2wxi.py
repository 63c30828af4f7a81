#!/usr/bin/env python3
"""Turns a REGEDIT4 file into the RegistryValue elements of a WiX include.

    reg2wxi.py INPUT.reg OUTPUT.wxi

The package writes the maker's default values from the same file that `regedit /S` imports,
so the two never drift. Only what such a file holds is taken: keys, REG_SZ strings and
dwords; anything else stops the build instead of being left out of the package. Values the
package writes itself (the Control Panel's applet list, naming the applets where the package
installs them) are left to it.
"""
import re
import sys
from xml.sax.saxutils import quoteattr

HIVES = {
    "HKEY_LOCAL_MACHINE": "HKLM",
    "HKEY_CURRENT_USER": "HKCU",
    "HKEY_CLASSES_ROOT": "HKCR",
    "HKEY_USERS": "HKU",
}
KEY = re.compile(r"^\[([A-Z_]+)\\(.+)\]$")
NAME = r'(@|"(?:[^"\\]|\\.)*")='
DWORD = re.compile("^" + NAME + r"dword:([0-9A-Fa-f]{8})$")
STRING = re.compile("^" + NAME + r'"((?:[^"\\]|\\.)*)"$')
PACKAGE_OWNED = {("HKLM", r"software\microsoft\windows\currentversion\control panel\cpls")}


def unquote(text):
    return re.sub(r"\\(.)", r"\1", text)


def formatted(text):
    # Keys, names and values are formatted text to the installer: brackets and braces are literal.
    return re.sub(r"([\[\]{}])", r"[\\\1]", text)


def convert(lines):
    root = key = None
    values = []
    for number, raw in enumerate(lines, 1):
        line = raw.strip()
        if number == 1:
            if line != "REGEDIT4":
                raise ValueError("line 1: not a REGEDIT4 file")
            continue
        if not line or line.startswith(";"):
            continue
        m = KEY.match(line)
        if m:
            if m.group(1) not in HIVES:
                raise ValueError(f"line {number}: unknown hive {m.group(1)}")
            root, key = HIVES[m.group(1)], formatted(m.group(2))
            continue
        m = DWORD.match(line) or STRING.match(line)
        if not m or key is None:
            raise ValueError(f"line {number}: not a key, string or dword: {line}")
        name = None if m.group(1) == "@" else formatted(unquote(m.group(1)[1:-1]))
        if m.re is DWORD:
            number_value = int(m.group(2), 16)
            # The installer's integers are signed 32-bit; the bits are what lands in the dword.
            value, kind = str(number_value - (1 << 32) if number_value >= 1 << 31 else number_value), "integer"
        else:
            value, kind = formatted(unquote(m.group(2))), "string"
            if not value:
                # An empty Value in the installer's table means "no value", not "".
                raise ValueError(f"line {number}: an empty string cannot be packaged")
        if (root, key.lower()) in PACKAGE_OWNED:
            continue
        values.append((root, key, name, kind, value))
    if not values:
        raise ValueError("no values")
    return values


def main(argv):
    if len(argv) != 3:
        sys.stderr.write(__doc__)
        return 2
    try:
        with open(argv[1], encoding="ascii") as f:
            values = convert(f.read().splitlines())
    except (OSError, ValueError, UnicodeDecodeError) as e:
        sys.stderr.write(f"reg2wxi: {argv[1]}: {e}\n")
        return 1
    out = ['<?xml version="1.0" encoding="utf-8"?>',
           f"<!-- Generated from {argv[1].split('/')[-1]} by reg2wxi.py; do not edit. -->",
           '<Include xmlns="http://schemas.microsoft.com/wix/2006/wi">']
    for i, (root, key, name, kind, value) in enumerate(values):
        attrs = f"Root={quoteattr(root)} Key={quoteattr(key)}"
        if name is not None:
            attrs += f" Name={quoteattr(name)}"
        attrs += f" Type={quoteattr(kind)} Value={quoteattr(value)}"
        if i == 0:
            attrs += ' KeyPath="yes"'
        out.append(f"  <RegistryValue {attrs}/>")
    out.append("</Include>")
    with open(argv[2], "w", encoding="utf-8", newline="\n") as f:
        f.write("\n".join(out) + "\n")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
