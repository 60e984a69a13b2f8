#!/usr/bin/env bash
# The test command's choice for the 32-bit program: natively, under emulation,
# or skipped with the reason, decided with stand-ins for Wine's 32-bit loader
# and qemu-i386. The refusing loader is a bare i386 ELF header, which the
# kernel refuses as a refusing processor does, unless a binfmt_misc handler
# hands it to the stand-in qemu.
set -u
# Under the test command's emulation its handler would start the refusing
# stand-in: the cases run in a namespace of their own, with none.
if [ -e /proc/sys/fs/binfmt_misc/pelorin-i386 ]; then
    exec unshare --user --map-root-user --mount bash -c \
        'mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc && exec bash "$0"' "$0"
fi
how=$(dirname "$0")/../scripts/how-32-bit-runs.sh
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
printf '#!/bin/sh\necho wine-8.0\n' >"$dir/native"
{ printf '\x7fELF\x01\x01\x01\0\0\0\0\0\0\0\0\0\x02\0\x03\0'; head -c 44 /dev/zero; } >"$dir/refusing"
for v in 7.2.0 10.0.2; do
    printf '#!/bin/sh\n[ "$1" = --version ] && echo "qemu-i386 version %s" || echo wine-8.0\n' $v >"$dir/qemu-$v"
done
printf '#!/bin/sh\necho "unshare: unshare failed: Operation not permitted" >&2; exit 1\n' >"$dir/unshare"
chmod +x "$dir"/*
host_handlers=$(ls /proc/sys/fs/binfmt_misc 2>/dev/null)
failures=0

# expect LOADER QEMU PATTERN [VAR=VALUE...] [-- ARG]: the line printed matches PATTERN.
expect() {
    local loader=$1 qemu=$2 pattern=$3 line
    shift 3
    line=$(env PELORIN_WINE32_LOADER="$loader" PELORIN_QEMU_I386="$qemu" PELORIN_EMULATE_32= "$@" bash "$how" ${arg:-})
    [[ $line == $pattern ]] || { echo "FAIL: $loader, $qemu, $*: got '$line', expected '$pattern'"; failures=$((failures + 1)); }
}
refused="this processor refuses 32-bit code (Exec format error), and"

expect "$dir/native" none natively
expect "$dir/missing" none "skipped: Wine's 32-bit half (wine32:i386) is not installed"
expect "$dir/refusing" "$dir/qemu-10.0.2" "skipped: $refused no user namespace can be made here *" PATH="$dir:$PATH"
expect "$dir/native" "$dir/qemu-10.0.2" "natively (PELORIN_EMULATE_32=1 asked for *, but no user namespace *)" \
    PATH="$dir:$PATH" PELORIN_EMULATE_32=1
if unshare --user --map-root-user --mount mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc 2>/dev/null; then
    expect "$dir/refusing" "$dir/qemu-10.0.2" "under qemu-user's i386 emulation (this processor refuses 32-bit code)"
    expect "$dir/native" "$dir/qemu-10.0.2" "under qemu-user's i386 emulation (PELORIN_EMULATE_32=1 asked for it; *)" \
        PELORIN_EMULATE_32=1
    expect "$dir/refusing" "$dir/qemu-7.2.0" "skipped: $refused qemu-user 10 or later is not installed (found: qemu-i386 version 7.2.0;*"
    expect "$dir/refusing" "$dir/missing" "skipped: $refused qemu-user 10 or later is not installed (found: none;*"
    # What the 32-bit tests check for themselves: refused outside, started inside.
    arg=--here expect "$dir/refusing" none "skipped: this processor refuses 32-bit code (Exec format error)"
    PELORIN_WINE32_LOADER="$dir/refusing" bash "$(dirname "$0")/../scripts/emulate-i386.sh" "$dir/qemu-10.0.2" \
        bash "$how" --here || { echo "FAIL: the loader did not start through emulate-i386.sh's handler"; failures=$((failures + 1)); }
else
    expect "$dir/refusing" "$dir/qemu-10.0.2" "skipped: $refused *"
fi
[ "$(ls /proc/sys/fs/binfmt_misc 2>/dev/null)" = "$host_handlers" ] ||
    { echo "FAIL: the machine's binfmt_misc changed"; failures=$((failures + 1)); }
exit $((failures > 0))
