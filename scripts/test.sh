#!/usr/bin/env bash
# Installs what is missing, builds both programs and runs the whole test suite
# headless under Wine in a throwaway prefix.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

ensure_packages
build win64 win32

use_chinese_locale
export WINEPREFIX
WINEPREFIX=$(mktemp -d /tmp/pelorin-test-prefix.XXXXXX)
trap '"$WINESERVER" -k 2>/dev/null || true; rm -rf "$WINEPREFIX"' EXIT
echo "Making a throwaway Wine prefix in $WINEPREFIX"
init_prefix yes
"$WINESERVER" -p

# Web pages and mail addresses go to the test suite's recorder, never to a browser.
recorder="\"$(windows_path "$ROOT/build/win64/recorder.exe")\" \"%1\""
for protocol in http https mailto; do
    "$WINE" reg add "HKCR\\$protocol\\shell\\open\\command" /ve /d "$recorder" /f >/dev/null 2>&1
done

ctest --test-dir "$ROOT/build/win64" --output-on-failure --verbose
