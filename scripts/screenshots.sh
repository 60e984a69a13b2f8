#!/usr/bin/env bash
# Takes the screenshots in docs/ of the main, About and usage-help windows,
# on a virtual display with a CJK font, in a throwaway Wine prefix.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

ensure_packages xvfb xauth imagemagick fonts-wqy-microhei fonts-arphic-gbsn00lp
build win64

use_chinese_locale
export WINEPREFIX
WINEPREFIX=$(mktemp -d /tmp/pelorin-shots-prefix.XXXXXX)
start_xvfb
trap '"$WINESERVER" -k 2>/dev/null || true; kill $XVFB_PID 2>/dev/null || true; rm -rf "$WINEPREFIX"' EXIT
init_prefix no
use_song_font

"$WINE" reg add 'HKLM\SOFTWARE\Dravenholt\Pelorin' /v 办公室 /d 'D:\网络\办公室.txt' /f >/dev/null 2>&1
"$WINE" reg add 'HKLM\SOFTWARE\Dravenholt\Pelorin' /v 家里 /d 'D:\网络\家里.txt' /f >/dev/null 2>&1
"$WINE" reg add 'HKLM\SOFTWARE\Dravenholt\Pelorin' /v curnet /d '办公室| D:\网络\办公室.txt' /f >/dev/null 2>&1

use_virtual_desktop
"$WINE" "$ROOT/build/win64/Pelorin.exe" &
show="$ROOT/build/win64/show.exe"

echo "The windows' font here: $("$WINE" "$ROOT/build/win64/show.exe" metrics | tr -d '\r')"

shoot() {
    local geometry
    geometry=$("$WINE" "$show" "$1" | tr -d '\r')
    sleep 2
    import -window root -crop "$geometry" +repage "$ROOT/docs/$2"
    echo "docs/$2"
}
mkdir -p "$ROOT/docs"
shoot main main-window.png
shoot about about-window.png
"$WINE" "$show" close
shoot help help-window.png
"$WINE" "$show" close
