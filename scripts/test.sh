#!/usr/bin/env bash
# Installs what is missing, builds both programs and runs the whole test suite
# headless under Wine in a throwaway prefix.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

# Wine's 32-bit half and the 32-bit posix compilers test the program we ship.
ensure_packages wine32:i386 g++-mingw-w64-i686-posix
build win64 win32 win32-tests

use_chinese_locale
export WINEPREFIX
WINEPREFIX=$(mktemp -d /tmp/pelorin-test-prefix.XXXXXX)
trap 'end_prefix; rm -rf "$WINEPREFIX"' EXIT
echo "Making a throwaway Wine prefix in $WINEPREFIX"
init_prefix yes
"$WINESERVER" -p

use_stand_in_netsh

# A program that crashes just ends: Wine's debugger prints and shows no window.
"$WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1

# Web pages and mail addresses go to the test suite's recorder, never to a browser.
recorder="\"$(windows_path "$ROOT/build/win64/recorder.exe")\" \"%1\""
for protocol in http https mailto; do
    "$WINE" reg add "HKCR\\$protocol\\shell\\open\\command" /ve /d "$recorder" /f >/dev/null 2>&1
done

# Where this processor refuses 32-bit code (or PELORIN_EMULATE_32=1 asks),
# the suite runs in a namespace whose own binfmt_misc hands 32-bit programs
# to qemu-i386. The wineserver started above serves it there too: the
# namespace maps root to root, so the prefix stays the same user's.
route=$(bash "$ROOT/scripts/how-32-bit-runs.sh" --install) || true
route=${route:-"skipped: scripts/how-32-bit-runs.sh said nothing"}
within=()
if [[ $route == "under qemu-user"* ]]; then
    within=(bash "$ROOT/scripts/emulate-i386.sh" "$(command -v qemu-i386)")
    echo "The 32-bit tests run $route."
fi

status=0
run_watched "${within[@]}" ctest --test-dir "$ROOT/build/win64" --output-on-failure --verbose || status=$?
[ -z "$SERVER_STOPPED" ] || exit $status

case $route in
    skipped:*) echo "Programs tested: build/win64/Pelorin.exe (64-bit) only; the 32-bit tests were $route." ;;
    *) echo "Programs tested: build/win64/Pelorin.exe (64-bit) and build/win32/Pelorin.exe (32-bit, the one we ship), which ran $route." ;;
esac
exit $status
