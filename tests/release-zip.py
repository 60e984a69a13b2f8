#!/usr/bin/env python3
"""The release zip's construction: entries in the given order, each with the
fixed time and a plain file's attributes, the guide's name in code page 936
with its UTF-8 form in a Unicode Path field in both headers; and the same
bytes from files of other times and modes."""
import os
import struct
import subprocess
import sys
import tempfile
import zipfile
import zlib

make_zip = os.path.join(os.path.dirname(__file__), "..", "scripts", "make-zip.py")
names = ["Pelorin.exe", "使用说明.txt"]

with tempfile.TemporaryDirectory() as folder:
    def build(out, mtime, mode):
        for name in names:
            path = os.path.join(folder, name)
            with open(path, "wb") as f:
                f.write(name.encode())
            os.chmod(path, mode)
            os.utime(path, (mtime, mtime))
        subprocess.run([sys.executable, make_zip, out, "1765000000",
                        *(f"{name}={os.path.join(folder, name)}" for name in names)], check=True)
        with open(out, "rb") as f:
            return f.read()

    first = build(os.path.join(folder, "a.zip"), 1000000000, 0o644)
    assert first == build(os.path.join(folder, "b.zip"), 1700000000, 0o600), "other times or modes, other bytes"
    with zipfile.ZipFile(os.path.join(folder, "a.zip")) as archive:
        entries = archive.infolist()
        # orig_filename: the stored name, which Python 3.12 and later replace in
        # filename by the Unicode Path field's.
        stored = [e.orig_filename.encode("cp437") for e in entries]
        assert [n.decode("cp936") for n in stored] == names, "names or order"
        for e, name, stored_name in zip(entries, names, stored):
            assert e.date_time == (2025, 12, 6, 5, 46, 40), f"{name}: time {e.date_time}"
            assert e.create_system == 0 and e.external_attr == 0x20, f"{name}: attributes"
            assert e.flag_bits & 0x800 == 0, f"{name}: says it is UTF-8"
            field = b"" if name.isascii() else (
                struct.pack("<HHBI", 0x7075, 5 + len(name.encode()), 1, zlib.crc32(stored_name)) + name.encode())
            assert e.extra == field, f"{name}: central extra field {e.extra!r}"
            local = first[e.header_offset:]
            name_length, extra_length = struct.unpack("<HH", local[26:30])
            assert local[30 + name_length:30 + name_length + extra_length] == field, f"{name}: local extra field"
            assert archive.read(e) == name.encode(), f"{name}: content"
print("zip: order, times, attributes, names and bytes as made")
