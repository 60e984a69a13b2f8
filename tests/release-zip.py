#!/usr/bin/env python3
"""The release zip's construction: entries in the given order, each with the
fixed time, a plain file's attributes and no extra fields; and the same bytes
from files of other times and modes."""
import os
import subprocess
import sys
import tempfile
import zipfile

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
        assert [e.orig_filename.encode("cp437").decode("cp936") for e in entries] == names, "names or order"
        for e, name in zip(entries, names):
            assert e.date_time == (2025, 12, 6, 5, 46, 40), f"{name}: time {e.date_time}"
            assert e.extra == b"" and e.create_system == 0 and e.external_attr == 0x20, f"{name}: attributes"
            assert archive.read(e) == name.encode(), f"{name}: content"
print("zip: order, times, attributes and bytes as made")
