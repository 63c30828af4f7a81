#!/usr/bin/env python3
"""Writes into a package what wixl cannot: run after wixl, in the folder of staged files.

    finish-msi.py PACKAGE.msi STAGE_DIR

- the stand-ins' component conditions (DetectMaker's properties);
- short names of the directories with long names;
- HKMU (-1) as the root of the Start menu component's key path value (wixl writes 4);
- each PE file's File.Version and Language from its version resource, and no file hash for
  it: the installer compares versioned files by version, unversioned ones by hash.
One msibuild query a statement.
"""
import os
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tools"))
from peinfo import PeFile  # noqa: E402

CONDITIONS = {
    "MakerDefaults": "NOT MAKER_SETTINGS",
    "Quorlat": "NOT MAKER_SETTINGS",
    "Nolvic": "NOT MAKER_NOLVIC",
    "OrvexHook": "NOT MAKER_ORVEXHOOK",
}
SHORT_NAMES = {"INSTALLDIR": "KELCTRLS|KELVORA Controls", "ProgramMenuKelvora": "KELCTRLS|KELVORA Controls"}


def queries(stage, files):
    for component, condition in CONDITIONS.items():
        yield f"UPDATE `Component` SET `Condition` = '{condition}' WHERE `Component` = '{component}'"
    for directory, default_dir in SHORT_NAMES.items():
        yield f"UPDATE `Directory` SET `DefaultDir` = '{default_dir}' WHERE `Directory` = '{directory}'"
    yield "UPDATE `Registry` SET `Root` = -1 WHERE `Component_` = 'StartMenu'"
    for name in files:
        version = PeFile(os.path.join(stage, name)).version
        if not version:
            raise ValueError(f"{name}: no version resource")
        yield f"UPDATE `File` SET `Version` = '{version}', `Language` = '1033' WHERE `File` = '{name}'"
        yield f"DELETE FROM `MsiFileHash` WHERE `File_` = '{name}'"


def main(argv):
    if len(argv) != 3:
        sys.stderr.write(__doc__)
        return 2
    package, stage = argv[1], argv[2]
    files = sorted(n for n in os.listdir(stage) if n.lower().endswith((".exe", ".dll", ".cpl"))
                   and n != "CloseOrvex.dll")   # the custom action is a Binary, not a File
    try:
        args = [a for q in queries(stage, files) for a in ("-q", q)]
    except (OSError, ValueError) as e:
        sys.stderr.write(f"finish-msi: {e}\n")
        return 1
    return subprocess.call(["msibuild", package] + args)


if __name__ == "__main__":
    sys.exit(main(sys.argv))
