#!/usr/bin/env python3
"""Writes a zip that is the same, byte for byte, whenever it is made from the
same files: entries in the order given, each with one fixed time and the
attributes of a plain file.

    make-zip.py OUT.zip SECONDS NAME=FILE...

SECONDS (since 1970, UTC) is every entry's time; NAME is the entry's name,
written in code page 936, as Windows in Simplified Chinese reads names in
zips that do not say they are UTF-8. A name that is not plain ASCII also
gets Info-ZIP's Unicode Path field (0x7075) with its UTF-8 form, in the local
and the central header: unzip and 7-Zip show that one, Explorer ignores it.
Entries with ASCII names have no extra field.
"""
import struct
import sys
import time
import zipfile
import zlib


class Cp936Entry(zipfile.ZipInfo):
    def _encodeFilenameFlags(self):
        return self.filename.encode("cp936"), self.flag_bits


def unicode_path_field(name):
    """Header id 0x7075, its size, version 1, the CRC-32 of the name as the
    header stores it (code page 936), then the name in UTF-8."""
    data = struct.pack("<BI", 1, zlib.crc32(name.encode("cp936"))) + name.encode("utf-8")
    return struct.pack("<HH", 0x7075, len(data)) + data


def make_zip(out, seconds, entries):
    date_time = time.gmtime(seconds)[:6]
    with zipfile.ZipFile(out, "w") as archive:
        for name, path in entries:
            entry = Cp936Entry(name, date_time)
            entry.compress_type = zipfile.ZIP_DEFLATED
            entry.create_system = 0         # MS-DOS: no Unix owner or mode
            entry.external_attr = 0x20      # FILE_ATTRIBUTE_ARCHIVE, as Windows writes it
            if not name.isascii():
                entry.extra = unicode_path_field(name)
            with open(path, "rb") as f:
                archive.writestr(entry, f.read(), compresslevel=9)


if __name__ == "__main__":
    make_zip(sys.argv[1], int(sys.argv[2]), [arg.split("=", 1) for arg in sys.argv[3:]])
