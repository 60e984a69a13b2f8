#!/usr/bin/env bash
# Installs what is missing, builds Pelorin and runs it under Wine, in a prefix
# of its own that keeps saved configurations between runs. Without a display
# it runs on a virtual one, saves a screenshot of the window, and keeps
# running until stopped (Ctrl-C).
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

headless=no
[ -n "${DISPLAY:-}" ] || headless=yes
if [ "$headless" = yes ]; then
    ensure_packages xvfb xauth imagemagick x11-utils fonts-wqy-microhei fonts-arphic-gbsn00lp
else
    ensure_packages fonts-arphic-gbsn00lp
fi
build win64

use_chinese_locale
export WINEPREFIX="${XDG_DATA_HOME:-$HOME/.local/share}/pelorin/wineprefix"
program="$ROOT/build/win64/Pelorin.exe"

if [ "$headless" = no ]; then
    init_prefix no
    use_song_font
    exec "$WINE" "$program"
fi

display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
trap '"$WINESERVER" -k 2>/dev/null || true; kill $xvfb 2>/dev/null || true' EXIT INT TERM
init_prefix no
use_song_font

# A Wine desktop of its own draws the window's frame, which has no window manager here.
"$WINE" explorer /desktop=Pelorin,800x600 "$program" &
pelorin=$!

screenshot="$ROOT/pelorin-screenshot.png"
for _ in $(seq 1 60); do
    xwininfo -root -tree 2>/dev/null | grep -q 'Pelorin' && break
    sleep 0.5
done
sleep 3
import -window root -crop 800x600+0+0 "$screenshot"
echo "Pelorin is running on the virtual display $display."
echo "Screenshot of its window: $screenshot"
echo "Press Ctrl-C to stop it."
wait $pelorin
