#!/usr/bin/env python3
"""What the package and the release check read of a built PE file, without running it.

    peinfo.py FILE...     prints each file's machine, flags, sections and version strings

As a module: PeFile(path) with .machine, .dll_characteristics, .sections, .resources
[(type, id, language, bytes)], .version (the fixed file version "a.b.c.d" or None) and
.strings (the version resource's StringFileInfo values).
"""
import struct
import sys

RT_VERSION, RT_MANIFEST = 16, 24


class PeFile:
    def __init__(self, path):
        with open(path, "rb") as f:
            self.data = f.read()
        d = self.data
        if d[:2] != b"MZ":
            raise ValueError(f"{path}: not a PE file")
        pe = struct.unpack_from("<I", d, 0x3C)[0]
        if d[pe:pe + 4] != b"PE\0\0":
            raise ValueError(f"{path}: not a PE file")
        self.machine, nsections, _, _, _, opt_size, _ = struct.unpack_from("<HHIIIHH", d, pe + 4)
        opt = pe + 24
        magic = struct.unpack_from("<H", d, opt)[0]
        self.pe32plus = magic == 0x20B
        self.dll_characteristics = struct.unpack_from("<H", d, opt + 70)[0]
        dirs = opt + (112 if self.pe32plus else 96)
        rsrc_rva, _ = struct.unpack_from("<II", d, dirs + 8 * 2)
        self.sections = []
        for i in range(nsections):
            s = opt + opt_size + 40 * i
            name = d[s:s + 8].rstrip(b"\0").decode("ascii", "replace")
            vsize, vaddr, rsize, raw = struct.unpack_from("<IIII", d, s + 8)
            self.sections.append((name, vaddr, max(vsize, rsize), raw))
        self.resources = []
        if rsrc_rva:
            base = self._offset(rsrc_rva)
            self._walk(base, base, [])
        self.version, self.strings = None, {}
        for rtype, _, _, data in self.resources:
            if rtype == RT_VERSION:
                self._read_version(data)
                break

    def _offset(self, rva):
        for _, vaddr, size, raw in self.sections:
            if vaddr <= rva < vaddr + size:
                return raw + rva - vaddr
        raise ValueError(f"RVA {rva:#x} outside every section")

    def _walk(self, base, node, path):
        d = self.data
        named, ids = struct.unpack_from("<HH", d, node + 12)
        for i in range(named + ids):
            name, target = struct.unpack_from("<II", d, node + 16 + 8 * i)
            key = name if not name & 0x80000000 else f"#{name & 0x7FFFFFFF:x}"
            if target & 0x80000000:
                self._walk(base, base + (target & 0x7FFFFFFF), path + [key])
            else:
                rva, size = struct.unpack_from("<II", d, base + target)
                off = self._offset(rva)
                rtype, rid = (path + [None, None])[:2]
                self.resources.append((rtype, rid, key, d[off:off + size]))

    def _read_version(self, data):
        def block(off):
            length, value_len, kind = struct.unpack_from("<HHH", data, off)
            end_key = off + 6
            while data[end_key:end_key + 2] != b"\0\0":
                end_key += 2
            key = data[off + 6:end_key].decode("utf-16-le")
            value = (end_key + 2 + 3) & ~3
            children = value + (value_len * (2 if kind == 1 else 1))
            children = (children + 3) & ~3
            return key, length, value, value_len, kind, children

        key, length, value, value_len, _, child = block(0)
        if key != "VS_VERSION_INFO":
            return
        if value_len >= 16:
            ms, ls = struct.unpack_from("<II", data, value + 8)
            self.version = f"{ms >> 16}.{ms & 0xFFFF}.{ls >> 16}.{ls & 0xFFFF}"
        self._strings(data, block, child, length)

    def _strings(self, data, block, off, end):
        while off < end:
            key, length, value, value_len, kind, child = block(off)
            if length == 0:
                break
            if kind == 1 and value_len and child >= off + length:
                text = data[value:value + 2 * value_len].decode("utf-16-le").rstrip("\0")
                self.strings.setdefault(key, text)
            else:
                self._strings(data, block, child, off + length)
            off = (off + length + 3) & ~3


def main(argv):
    for path in argv[1:]:
        pe = PeFile(path)
        print(f"{path}: machine {pe.machine:#x}, flags {pe.dll_characteristics:#x}, "
              f"sections {' '.join(s[0] for s in pe.sections)}, version {pe.version}")
        for k, v in pe.strings.items():
            print(f"  {k}: {v}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
