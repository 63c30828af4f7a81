#!/usr/bin/env python3
"""What an administrator deploying the suite relies on, read from the built files on Linux:
the package's tables and every shipped PE file's metadata and protections.

    release_check.py DIST PACKAGE ARCH UPGRADE_CODE OTHER_UPGRADE_CODE CUSTOM_ACTION_DLL
"""
import glob
import os
import re
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools"))
from peinfo import RT_MANIFEST, PeFile  # noqa: E402

COMPANY, PRODUCT = "Kelvora Corporation", "KELVORA Controls"
SUPPORTED_OS = ["35138b9a-5d96-4fbd-8e2d-a2440225f93a", "4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38",
                "1f676c76-80e1-4239-95bb-83d0f6d0da78", "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a"]
DYNAMIC_BASE, NX_COMPAT, HIGH_ENTROPY_VA = 0x40, 0x100, 0x20
faults = []


def check(ok, what):
    if not ok:
        faults.append(what)


def table(dump, name):
    """Rows of an exported table as lists of columns (after its three header lines)."""
    path = os.path.join(dump, name + ".idt")
    if not os.path.exists(path):
        return []
    with open(path, encoding="utf-8", errors="replace") as f:
        return [line.rstrip("\r\n").split("\t") for line in f.readlines()[3:]]


def check_binary(path, standin, product_version):
    name = os.path.basename(path)
    pe = PeFile(path)
    s = pe.strings
    check(s.get("CompanyName") == COMPANY, f"{name}: CompanyName {s.get('CompanyName')!r}")
    # The applet's module identity names itself (its product name is "Pallum").
    check(s.get("ProductName") == (PRODUCT if name != "Pallum.cpl" else "Pallum"),
          f"{name}: ProductName {s.get('ProductName')!r}")
    check(s.get("FileVersion") == pe.version, f"{name}: FileVersion text {s.get('FileVersion')} vs {pe.version}")
    if standin:
        check(s.get("FileDescription", "").startswith("Stand-in of the maker's") and pe.version != product_version,
              f"{name}: not described and versioned as a stand-in ({pe.version})")
    else:
        check(pe.version == product_version, f"{name}: version {pe.version}, not {product_version}")
    flags = DYNAMIC_BASE | NX_COMPAT | (HIGH_ENTROPY_VA if pe.pe32plus else 0)
    check(pe.dll_characteristics & flags == flags, f"{name}: DllCharacteristics {pe.dll_characteristics:#x}")
    if pe.pe32plus:
        check(any(sec[0] == ".pdata" for sec in pe.sections), f"{name}: no unwind data (.pdata)")
    manifests = {rid: data for rtype, rid, _, data in pe.resources if rtype == RT_MANIFEST}
    if name in ("Orvex.exe", "Hushwell.exe"):
        text = manifests.get(1, b"").decode("utf-8", "replace")
        check('level="asInvoker"' in text, f"{name}: manifest without asInvoker")
        check(all(g in text for g in SUPPORTED_OS), f"{name}: manifest without Windows 7 to 11")
        check("<dpiAware" in text, f"{name}: manifest without a DPI statement")
    if name == "Pallum.cpl":
        check(123 in manifests, f"{name}: no manifest 123")
    return pe


def check_package(package, arch, upgrade_code, other_code, binaries):
    with tempfile.TemporaryDirectory() as dump:
        subprocess.run(["msidump", "-t", os.path.abspath(package)], cwd=dump, check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        props = {r[0]: r[1] for r in table(dump, "Property") if len(r) > 1}
        seq = {r[0]: int(r[2]) for r in table(dump, "InstallExecuteSequence") if len(r) > 2}
        check(seq.get("FindRelatedProducts", 0) < seq.get("CloseOrvex", -1) < seq.get("InstallValidate", 0),
              f"CloseOrvex at {seq.get('CloseOrvex')}: not between FindRelatedProducts and InstallValidate")
        for row in table(dump, "File"):
            pe = binaries.get(row[0])
            check(pe is not None and row[4] == pe.version, f"File {row[0]}: Version {row[4]!r}")
        for row in table(dump, "Directory"):
            long_name = row[2].split("|")[-1]
            check(row[2] in (".", "SourceDir") or "|" in row[2] or
                  re.fullmatch(r"[^ .]{1,8}(\.[^ .]{1,3})?", long_name), f"Directory {row[0]}: {row[2]!r} has no short name")
        components = {r[0]: r for r in table(dump, "Component")}
        registry = {r[0]: r for r in table(dump, "Registry")}
        start = components.get("StartMenu", [""] * 6)
        check(int(start[3] or 0) & 4 and registry.get(start[5], ["", "2"])[1] in ("-1", "1"),
              "StartMenu: its key path is not a registry value under HKCU or HKMU")
        check(props.get("ARPNOMODIFY") == "1", "no ARPNOMODIFY")
        check(props.get("UpgradeCode", "").strip("{}").upper() == upgrade_code.upper() and
              upgrade_code.upper() != other_code.upper(), f"{arch}: upgrade code {props.get('UpgradeCode')}")
        check(props.get("ProductName") == PRODUCT and props.get("Manufacturer") == COMPANY,
              f"product {props.get('ProductName')!r} by {props.get('Manufacturer')!r}")


def main(argv):
    if len(argv) != 7:
        sys.stderr.write(__doc__)
        return 2
    dist, package, arch, code, other, action = argv[1:]
    product_version = PeFile(os.path.join(dist, "Orvex.exe")).version
    binaries = {}
    for path in sorted(glob.glob(os.path.join(dist, "*.*")) + glob.glob(os.path.join(dist, "maker", "*")) + [action]):
        if path.lower().endswith((".exe", ".dll", ".cpl")):
            binaries[os.path.basename(path)] = check_binary(path, "/maker/" in path, product_version)
    check_package(package, arch, code, other, binaries)
    for f in faults:
        print(f"release_check: {f}")
    print(f"release_check: {len(binaries)} files and the {arch} package read, {len(faults)} faults")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
