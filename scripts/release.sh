#!/usr/bin/env bash
# Builds the program we ship in a clean build folder of its own and writes
# the release: dist/Pelorin-VERSION-win32.zip (Pelorin.exe and the user's
# guide) and dist/SHA256SUMS. The same commit gives the same bytes.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_missing cmake make g++-mingw-w64-i686-win32 python3 git

out="$ROOT/build/release-win32"
rm -rf "$out"
cmake --preset win32 -S "$ROOT" -B "$out" >/dev/null
cmake --build "$out" -j "$(nproc)" --target Pelorin >/dev/null
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$out/CMakeCache.txt")

# Every entry's time is the commit's, so the zip does not depend on when it is made.
seconds=$(git -C "$ROOT" log -1 --format=%ct 2>/dev/null || echo "${SOURCE_DATE_EPOCH:?not a git checkout: set SOURCE_DATE_EPOCH}")

# The guide for Notepad on any Windows: UTF-8 with one byte-order mark, and
# CR LF whether the source's lines end in LF or already in CR LF.
guide="$out/使用说明.txt"
{ printf '\xef\xbb\xbf'; sed '1s/^\xef\xbb\xbf//; s/\r*$/\r/' "$ROOT/docs/使用说明.txt"; } > "$guide"

dist="$ROOT/dist"
zip="Pelorin-$version-win32.zip"
mkdir -p "$dist"
rm -f "$dist/$zip" "$dist/SHA256SUMS"
python3 "$ROOT/scripts/make-zip.py" "$dist/$zip" "$seconds" "Pelorin.exe=$out/Pelorin.exe" "使用说明.txt=$guide"
{
    (cd "$dist" && sha256sum "$zip")
    (cd "$out" && sha256sum Pelorin.exe)
} > "$dist/SHA256SUMS"

echo "Release $version, from commit $(git -C "$ROOT" rev-parse --short HEAD 2>/dev/null || echo "?"):"
echo "  dist/$zip"
echo "  dist/SHA256SUMS"
sed 's/^/    /' "$dist/SHA256SUMS"
