#!/usr/bin/env bash
# Installs what is missing, builds Pelorin and runs it under Wine, in a prefix
# of its own that keeps saved configurations between runs. Without a display
# it runs on a virtual one, saves a screenshot of the window, and keeps
# running until stopped (Ctrl-C).
#
# With --demo it runs in another prefix of its own, where the test suite's
# stand-in netsh is the system's netsh: a capture writes a small sample dump,
# and every call is appended to netsh.log. Pelorin starts in C:\demo of that
# prefix, where the file dialogs first open. No network setting changes.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

demo=no
case "${1:-}" in
    "") ;;
    --demo) demo=yes ;;
    *) echo "usage: bash scripts/run.sh [--demo]" >&2; exit 2 ;;
esac

headless=no
[ -n "${DISPLAY:-}" ] || headless=yes
if [ "$headless" = yes ]; then
    ensure_packages xvfb xauth imagemagick x11-utils fonts-wqy-microhei fonts-arphic-gbsn00lp
else
    ensure_packages fonts-arphic-gbsn00lp
fi
build win64

use_chinese_locale
prefixes="${XDG_DATA_HOME:-$HOME/.local/share}/pelorin"
if [ "$demo" = yes ]; then
    export WINEPREFIX="$prefixes/demo-wineprefix"
else
    export WINEPREFIX="$prefixes/wineprefix"
fi
program="$ROOT/build/win64/Pelorin.exe"
# The demo's files land in the prefix, never in the folder this was run from.
demo_folder="$WINEPREFIX/drive_c/demo"

prepare_prefix() {
    init_prefix no
    use_song_font
    if [ "$demo" = yes ]; then
        use_stand_in_netsh
        unset PELORIN_TEST_LOGS  # else the stand-in would log there
        mkdir -p "$demo_folder"
        cd "$demo_folder"
        echo "Demo: netsh is the test suite's stand-in; it logs every call to $WINEPREFIX/drive_c/windows/system32/netsh.log"
        echo "Pelorin starts in C:\\demo, which is $demo_folder"
    else
        echo "Wine's own netsh cannot save or apply network settings, so Backup and Add report \"…备份失败!\" here; bash scripts/run.sh --demo shows the whole flow."
    fi
}

if [ "$headless" = no ]; then
    prepare_prefix
    exec "$WINE" "$program"
fi

start_xvfb
trap '"$WINESERVER" -k 2>/dev/null || true; kill $XVFB_PID 2>/dev/null || true' EXIT INT TERM
prepare_prefix

# A Wine desktop of its own draws the window's frame, which has no window manager here.
"$WINE" explorer /desktop=Pelorin,800x600 "$program" &
pelorin=$!

# Waits for Pelorin's own window, named exactly "Pelorin", to be shown: the
# Wine desktop's window, "Pelorin - Wine desktop", comes about a second sooner.
screenshot="$ROOT/pelorin-screenshot.png"
shown=no
for _ in $(seq 1 60); do
    if xwininfo -name Pelorin 2>/dev/null | grep -q 'Map State: IsViewable'; then
        shown=yes
        break
    fi
    sleep 0.5
done
[ "$shown" = yes ] || echo "Pelorin's window did not appear within 30 seconds; the screenshot shows the desktop as it is."
# Time for the window to paint.
sleep 3
import -window root -crop 800x600+0+0 "$screenshot"
echo "Pelorin is running on the virtual display $DISPLAY."
echo "Screenshot of its window: $screenshot"
echo "Press Ctrl-C to stop it."
wait $pelorin
