#!/usr/bin/env bash
# Builds the program we ship a second time, from a copy of the sources in
# another folder, and compares it byte for byte with the first build.
set -eu
root=$1
first=$2
copy=$(mktemp -d /tmp/pelorin-second-build.XXXXXX)
trap 'rm -rf "$copy"' EXIT
(cd "$root" && tar --exclude=./build --exclude=./dist --exclude=./.git -cf - .) | tar -xf - -C "$copy"
cd "$copy"
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j "$(nproc)" >/dev/null
second=$copy/build/win32/Pelorin.exe
if cmp -s "$first" "$second"; then
    echo "identical: $first and a second build in $copy ($(stat -c %s "$first") bytes)"
else
    echo "differ: $(cmp -l "$first" "$second" | wc -l) bytes between $first and a second build in $copy"
    exit 1
fi
