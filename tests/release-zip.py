#!/usr/bin/env python3
"""The release zip's construction: entries in the given order, every one with
the fixed time, a plain file's attributes and no extra fields, and the same
bytes from files of other times and modes."""
import os
import subprocess
import sys
import tempfile
import zipfile

make_zip = os.path.join(os.path.dirname(__file__), "..", "scripts", "make-zip.py")
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)


with tempfile.TemporaryDirectory() as folder:
    def build(out, mtime, mode):
        files = []
        for name, text in (("Pelorin.exe", b"MZ program"), ("使用说明.txt", "﻿说明\r\n".encode())):
            path = os.path.join(folder, name)
            with open(path, "wb") as f:
                f.write(text)
            os.chmod(path, mode)
            os.utime(path, (mtime, mtime))
            files.append(f"{name}={path}")
        subprocess.run([sys.executable, make_zip, out, "1765000000", *files], check=True)
        with open(out, "rb") as f:
            return f.read()

    first = build(os.path.join(folder, "a.zip"), 1000000000, 0o644)
    second = build(os.path.join(folder, "b.zip"), 1700000000, 0o600)
    check(first == second, "the same files at other times and modes give other bytes")

    with zipfile.ZipFile(os.path.join(folder, "a.zip")) as archive:
        entries = archive.infolist()
        check([e.orig_filename.encode("cp437").decode("cp936") if e.flag_bits & 0x800 == 0 else None
               for e in entries] == ["Pelorin.exe", "使用说明.txt"], "names or their order")
        for e in entries:
            check(e.date_time == (2025, 12, 6, 5, 46, 40), f"{e.filename}: time {e.date_time}")
            check(e.extra == b"", f"{e.filename}: extra fields")
            check(e.create_system == 0 and e.external_attr == 0x20, f"{e.filename}: attributes")
        check(archive.read(entries[1]) == "﻿说明\r\n".encode(), "content")

print("\n".join(failures) or "zip: order, times, attributes and bytes as made")
sys.exit(1 if failures else 0)
