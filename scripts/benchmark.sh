#!/usr/bin/env bash
# Prints Pelorin's start-up, Refresh and list-filling times against the
# platform's floor, and the footprint of both executables. A benchmark, not
# a test: it prints figures and fails nothing.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

ensure_packages
build win64 win32 >/dev/null

use_chinese_locale
export WINEPREFIX
WINEPREFIX=$(mktemp -d /tmp/pelorin-bench-prefix.XXXXXX)
trap '"$WINESERVER" -k 2>/dev/null || true; rm -rf "$WINEPREFIX"' EXIT
init_prefix yes
"$WINESERVER" -p

echo "Pelorin benchmark, $(date -u '+%Y-%m-%d %H:%M UTC'), $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $("$WINE" --version)"
"$WINE" "$ROOT/build/win64/benchmark.exe" | tr -d '\r'

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
