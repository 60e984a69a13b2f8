#!/usr/bin/env bash
# Prints Pelorin's start-up, Refresh and list-filling times against the
# platform's floor, and the footprint of both executables. A benchmark, not
# a test: it prints figures and fails nothing.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

ensure_packages wine32:i386
# The 32-bit floors come from the same compilers as the program we ship.
cmake --preset win32 -S "$ROOT" -DPELORIN_BENCHMARK=ON >/dev/null
build win64 win32 >/dev/null

use_chinese_locale
export WINEPREFIX
WINEPREFIX=$(mktemp -d /tmp/pelorin-bench-prefix.XXXXXX)
trap '"$WINESERVER" -k 2>/dev/null || true; rm -rf "$WINEPREFIX"' EXIT
init_prefix yes
"$WINESERVER" -p

echo "Pelorin benchmark, $(date -u '+%Y-%m-%d %H:%M UTC'), $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $("$WINE" --version)"
folders=("$(windows_path "$ROOT/build/win64")\\")
# The 32-bit program only natively: a time under qemu-user's emulation, as the
# test command may use, would measure qemu, not Pelorin.
if reason=$(bash "$ROOT/scripts/how-32-bit-runs.sh" --here); then
    folders+=("$(windows_path "$ROOT/build/win32")\\")
    [ "${PELORIN_EMULATE_32:-}" != 1 ] ||
        echo "PELORIN_EMULATE_32=1 does not apply here: the benchmark measures the 32-bit program natively only."
elif [[ $reason == *"refuses 32-bit code"* ]]; then
    echo "The 32-bit program is not measured: ${reason#skipped: }, and a time under qemu-user's i386 emulation would measure qemu, not Pelorin."
else
    echo "The 32-bit program is not measured: ${reason#skipped: }."
fi
"$WINE" "$ROOT/build/win64/benchmark.exe" "${folders[@]}" | tr -d '\r'

echo
echo "Footprint"
system_dlls='^(kernel32|user32|gdi32|advapi32|ws2_32|iphlpapi|msvcrt|shell32|comdlg32|comctl32|ole32|oleaut32|version|shlwapi)\.dll$'
for arch in win64 win32; do
    exe="$ROOT/build/$arch/Pelorin.exe"
    objdump=x86_64-w64-mingw32-objdump
    [ "$arch" = win32 ] && objdump=i686-w64-mingw32-objdump
    imports=$("$objdump" -p "$exe" | awk '/DLL Name:/ {print $3}' | tr 'A-Z' 'a-z' | sort | tr '\n' ' ')
    others=$(for dll in $imports; do [[ $dll =~ $system_dlls ]] || echo "$dll"; done | tr '\n' ' ')
    printf '  build/%s/Pelorin.exe  %d bytes (%d KiB)\n    imports: %s\n    not a system DLL: %s\n' \
        "$arch" "$(stat -c %s "$exe")" "$(( ($(stat -c %s "$exe") + 1023) / 1024 ))" "$imports" "${others:-none}"
done
