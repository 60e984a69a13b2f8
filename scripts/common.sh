# Shared by the run, test and benchmark commands: packages, locale, builds and Wine prefixes.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# The 64-bit loader, called directly: it also starts 32-bit programs in the
# same prefix, as 64-bit Windows does, while /usr/bin/wine may be the 32-bit one.
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver

export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="   # no Mono or Gecko installer dialogs
export WINEARCH=win64

# Installs the Debian packages named that are missing.
install_missing() {
    local missing=()
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
    done
    if ((${#missing[@]})); then
        echo "Installing: ${missing[*]}"
        if [[ " ${missing[*]}" == *":i386"* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
            dpkg --add-architecture i386
        fi
        apt-get update -qq
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
    fi
}

# Installs what building and running under Wine need, and the Chinese locale
# that gives Wine code page 936.
ensure_packages() {
    install_missing cmake make g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-win32 googletest wine64 locales \
        python3 "$@"
    if ! locale -a 2>/dev/null | grep -qx 'zh_CN.utf8'; then
        sed -i 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' /etc/locale.gen
        grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' >> /etc/locale.gen
        locale-gen >/dev/null
    fi
}

build() {
    local preset
    for preset in "$@"; do
        cmake --preset "$preset" -S "$ROOT" >/dev/null
        cmake --build --preset "$preset" -j "$(nproc)"
    done
}

# Wine takes the ANSI code page from LC_ALL: this gives the program code page 936.
use_chinese_locale() {
    export LC_ALL=zh_CN.UTF-8
}

# Makes the prefix at $WINEPREFIX if it is not there. With headless=yes its
# windows need no X server.
init_prefix() {
    local headless=$1
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        mkdir -p "$WINEPREFIX"
        "$WINE" wineboot --init >/dev/null 2>&1
        "$WINESERVER" -w
    fi
    if [ "$headless" = yes ]; then
        "$WINE" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
        # The desktop made before that value existed cannot make windows.
        "$WINESERVER" -k || true
        "$WINESERVER" -w || true
    fi
}

# The test suite's stand-in netsh becomes the system's netsh of the prefix, at
# each width built; Wine runs it in place of its built-in one only when told to.
use_stand_in_netsh() {
    cp "$ROOT/build/win64/fakebin/netsh.exe" "$WINEPREFIX/drive_c/windows/system32/netsh.exe"
    if [ -d "$WINEPREFIX/drive_c/windows/syswow64" ] && [ -f "$ROOT/build/win32-tests/fakebin/netsh.exe" ]; then
        cp "$ROOT/build/win32-tests/fakebin/netsh.exe" "$WINEPREFIX/drive_c/windows/syswow64/netsh.exe"
    fi
    "$WINE" reg add 'HKCU\Software\Wine\DllOverrides' /v netsh.exe /d native /f >/dev/null 2>&1
}

# The Windows form of a path on this machine.
windows_path() {
    "$WINE" winepath -w "$1" 2>/dev/null | tr -d '\r'
}

# Starts a virtual display on a number that Xvfb finds free itself, and waits
# until it is ready: sets DISPLAY and XVFB_PID.
start_xvfb() {
    local number_file
    number_file=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 1 100); do
        [ -s "$number_file" ] && break
        kill -0 "$XVFB_PID" 2>/dev/null || break
        sleep 0.1
    done
    if [ ! -s "$number_file" ]; then
        kill "$XVFB_PID" 2>/dev/null || true
        rm -f "$number_file"
        echo "Xvfb did not start a virtual display." >&2
        return 1
    fi
    export DISPLAY=":$(head -n 1 "$number_file")"
    rm -f "$number_file"
}

# Every window of the prefix in one 800x600 Wine desktop, which draws the
# frames that no window manager draws on a bare virtual display.
use_virtual_desktop() {
    "$WINE" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    "$WINE" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 800x600 /f >/dev/null 2>&1
    "$WINESERVER" -k || true
    "$WINESERVER" -w || true
}

# The windows' font, 宋体 (SimSun), is not on this machine. At 9 pt on Windows
# it measures 12 pixels high (tmHeight) with dialog base units of 6 x 12; of
# Debian's Chinese faces, the Song face AR PL SungtiL GB (fonts-arphic-gbsn00lp)
# measures the same under Wine (`show metrics`), so the windows lay out as on
# Windows. AR PL UMing, the earlier choice, is 13 pixels high.
use_song_font() {
    local key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
    "$WINE" reg add "$key" /v 宋体 /d 'AR PL SungtiL GB' /f >/dev/null 2>&1
    "$WINE" reg add "$key" /v SimSun /d 'AR PL SungtiL GB' /f >/dev/null 2>&1
}

# qemu-user 10 or later, for the 32-bit tests on a processor that refuses
# 32-bit code: Debian 12's own 7.2 takes most of a minute to start each
# process. Debian 12 has it in bookworm-backports only, which gets a sources
# file of its own, on the mirror and components of the machine's bookworm
# source; only qemu-user is taken from there. No recommended packages:
# qemu-user-binfmt would register handlers in the machine's binfmt_misc.
# Says why and fails when it cannot.
BACKPORTS_SOURCES=/etc/apt/sources.list.d/pelorin-bookworm-backports
ensure_qemu_user() {
    local package=qemu-user version
    qemu_i386_is_10 "$(command -v qemu-i386 || true)" && return
    version=$(apt-cache policy qemu-user 2>/dev/null | awk '/Candidate:/ {print $2}')
    if ! dpkg --compare-versions "${version:-0}" ge 1:10~ &&
       [ "$(. /etc/os-release && echo "${VERSION_CODENAME:-}")" = bookworm ]; then
        add_bookworm_backports || return 1
        package=qemu-user/bookworm-backports
        version=$(apt-cache madison qemu-user | awk '$6 ~ /^bookworm-backports\// {print $3; exit}')
    fi
    if ! dpkg --compare-versions "${version:-0}" ge 1:10~; then
        echo "the machine's Debian sources offer no qemu-user 10 or later (found: ${version:-none})"
        return 1
    fi
    echo "Installing: $package $version (no recommended packages)" >&2
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$package" >/dev/null 2>&1 ||
        { echo "apt-get could not install $package"; return 1; }
}

# Succeeds when the qemu-i386 named is version 10 or later.
qemu_i386_is_10() {
    [ -x "${1:-}" ] && [[ $("$1" --version 2>/dev/null) =~ ^qemu-i386\ version\ ([0-9]+) ]] &&
        ((BASH_REMATCH[1] >= 10))
}

# bookworm-backports beside the machine's bookworm source, in the same format
# (deb822 or one-line) in a file of its own, unless some source has it already.
add_bookworm_backports() {
    local sources=(/etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources)
    if ! grep -Eqs '^[^#]*[[:space:]]bookworm-backports([[:space:]]|$)' "${sources[@]}"; then
        if grep -Eqs '^Suites:.*[[:space:]]bookworm([[:space:]]|$)' /etc/apt/sources.list.d/*.sources; then
            # The first bookworm stanza, its suites swapped; Signed-By may
            # span lines (an inline key), which the awk keeps.
            awk -v RS= '/(^|\n)Suites:[^\n]*[[:space:]]bookworm([[:space:]]|\n|$)/ && !/(^|\n)Enabled: *no/ {
                    sub(/(^|\n)Suites:[^\n]*/, "\nSuites: bookworm-backports"); sub(/^\n/, ""); print; exit }' \
                /etc/apt/sources.list.d/*.sources >"$BACKPORTS_SOURCES.sources"
        else
            grep -Ehs '^deb[[:space:]]+([[].*[]][[:space:]]+)?[^[:space:]]+[[:space:]]+bookworm[[:space:]]' \
                /etc/apt/sources.list /etc/apt/sources.list.d/*.list | head -n 1 |
                sed -E 's/[[:space:]]bookworm[[:space:]]/ bookworm-backports /' >"$BACKPORTS_SOURCES.list"
        fi
        if [ ! -s "$(ls "$BACKPORTS_SOURCES".*)" ]; then
            rm -f "$BACKPORTS_SOURCES".*
            echo "no bookworm source found to take the mirror for bookworm-backports from"
            return 1
        fi
        echo "Added bookworm-backports in $(ls "$BACKPORTS_SOURCES".*)" >&2
    fi
    apt-get update -qq >/dev/null 2>&1 || { echo "apt-get update failed with bookworm-backports added"; return 1; }
}
