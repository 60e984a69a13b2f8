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

# How long the prefix's Wine server may leave a new connection unanswered
# before run_watched ends the run: 90 seconds unless PELORIN_SERVER_SILENCE
# says otherwise. It is asked every ninth of that, each time waiting at most a
# third: so the run ends at most about 130 s after the server's last answer.
server_silence() { echo "${PELORIN_SERVER_SILENCE:-90}"; }
server_wait() { local s; s=$(server_silence); echo $((s / 3 > 2 ? s / 3 : 2)); }

# The processes of the prefix at $WINEPREFIX, this shell and the caller's
# subshell left out: those with that WINEPREFIX in their environment (Wine
# passes it to every program it starts, its server included) and this same
# root, so neither another prefix nor the same path in a chroot is counted.
# With a pattern, only those whose command name matches it.
prefix_processes() {
    local proc entry name
    for proc in /proc/[0-9]*; do
        [ "${proc#/proc/}" != $$ ] && [ "${proc#/proc/}" != "$BASHPID" ] || continue
        [ "$proc/root" -ef /proc/self/root ] 2>/dev/null || continue
        if [ -n "${1:-}" ]; then
            read -r name 2>/dev/null <"$proc/comm" || continue
            [[ $name == $1 ]] || continue
        fi
        while IFS= read -r -d '' entry; do
            [ "$entry" = "WINEPREFIX=$WINEPREFIX" ] && { echo "${proc#/proc/}"; break; }
        done 2>/dev/null <"$proc/environ"
    done
    return 0
}

# Succeeds when the prefix's Wine server accepts a new connection and sends it
# the first message every new Wine process gets, within the wait; it starts
# no Wine process, so it cannot itself make the server busier.
server_answers() {
    local server
    server=$(prefix_processes 'wineserver*' | head -n 1)
    [ -n "$server" ] || return 1
    timeout -s KILL "$(($(server_wait) + 5))" python3 -c '
import socket, sys
s = socket.socket(socket.AF_UNIX)
s.settimeout(float(sys.argv[2]))
s.connect(sys.argv[1])
sys.exit(0 if s.recvmsg(64, socket.CMSG_SPACE(16))[1] else 1)' \
        "/proc/$server/cwd/socket" "$(server_wait)" >/dev/null 2>&1
}

# Kills every process of the prefix, Wine's server too, and waits until they
# are gone. SIGKILL: a server caught in a loop ignores SIGTERM, and its other
# processes wait on it.
kill_prefix() {
    local round pids
    for round in $(seq 1 50); do
        pids=$(prefix_processes)
        [ -n "$pids" ] || return 0
        # shellcheck disable=SC2086
        kill -KILL $pids 2>/dev/null || true
        sleep 0.2
    done
    echo "Some processes of the Wine prefix $WINEPREFIX did not end: $pids"
}

# Ends the prefix: wineserver -k, which waits on the server and so is cut
# short, then whatever is left.
end_prefix() {
    { timeout -s KILL "$(server_wait)" "$WINESERVER" -k; } 2>/dev/null || true
    kill_prefix
}

# Runs a ctest command while asking the prefix's Wine server for an answer.
# When it has not answered for $(server_silence) seconds (Wine 10.0's server
# can loop forever, and every Wine process of the prefix then waits forever),
# it kills the command and every process of the prefix, says which test was
# running, sets SERVER_STOPPED and fails. Otherwise it returns the command's
# exit status.
SERVER_STOPPED=""
run_watched() {
    local log status=0 silent="" watcher job test step
    # In the prefix, so that it goes with it also when the run is cut short.
    log=$(mktemp "$WINEPREFIX/ctest-output.XXXXXX")
    trap 'silent=yes' USR1
    # The subshell's own errors are the shell's report of a killed command.
    ("$@" 2>&1 | tee "$log") 2>/dev/null &
    job=$!
    (
        last=$SECONDS
        while sleep $(($(server_silence) / 9 > 1 ? $(server_silence) / 9 : 1)); do
            if server_answers; then
                last=$SECONDS
            elif ((SECONDS - last >= $(server_silence))); then
                echo $((SECONDS - last)) >"$log.silence"
                kill -USR1 $$
                exit
            fi
        done
    ) &
    watcher=$!
    wait "$job" || status=$?
    if [ -n "$silent" ]; then
        kill_prefix
        wait "$job" || true
        test=$(sed -n 's/^ *Start [0-9]*: //p' "$log" | tail -n 1)
        step=$(awk '/^ *Start [0-9]+: /{c=""} /^[0-9]+: \[ RUN +\] /{c=$NF} END{print c}' "$log")
        echo "Wine's server stopped answering: no answer for $(cat "$log.silence") s while CTest ran" \
            "${test:-no test yet}${step:+ (at $step)}. The run failed; nothing was retried."
        echo "Every process of the Wine prefix $WINEPREFIX was killed, the server and any Pelorin.exe" \
            "too. Debian 13's Wine 10.0 was seen to loop like this on a busy machine: rerun the" \
            "command on a quieter one."
        SERVER_STOPPED=yes
        status=1
    else
        kill "$watcher" 2>/dev/null || true
        wait "$watcher" 2>/dev/null || true
    fi
    trap - USR1
    rm -f "$log" "$log.silence"
    return "$status"
}
