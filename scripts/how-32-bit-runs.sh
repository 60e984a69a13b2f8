#!/usr/bin/env bash
# Says how the test command runs the 32-bit program we ship under Wine here,
# one of:
#   natively
#   under qemu-user's i386 emulation (WHY)
#   natively (WHY NOT EMULATED, when PELORIN_EMULATE_32=1 asked for it)
#   skipped: REASON        (and exits 1)
# Emulation is taken when this processor refuses 32-bit code, or when
# PELORIN_EMULATE_32=1 asks for it; --install lets it install qemu-user.
# With --here it only checks that Wine's 32-bit loader starts as things are
# now (inside emulate-i386.sh, through its handler), else prints why and fails.
# PELORIN_WINE32_LOADER and PELORIN_QEMU_I386 stand in for the loader and
# qemu-i386, for this script's own test.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
export LC_ALL=C  # the messages matched below are the English ones
mode=${1:-}
loader=${PELORIN_WINE32_LOADER:-/usr/lib/wine/wine}
qemu=${PELORIN_QEMU_I386:-$(command -v qemu-i386 || true)}

# Asked for emulation where 32-bit code runs, it falls back to that and says why.
skip() {
    [ -z "${forced:-}" ] || { echo "natively ($refusal $*)"; exit 0; }
    echo "skipped: ${refusal:+$refusal }$*"
    exit 1
}

[ -x "$loader" ] || skip "Wine's 32-bit half (wine32:i386) is not installed"
if output=$("$loader" --version 2>&1); then
    [ "$mode" = --here ] && exit 0
    [ "${PELORIN_EMULATE_32:-}" = 1 ] || { echo natively; exit 0; }
    why="PELORIN_EMULATE_32=1 asked for it; this processor runs 32-bit code natively"
    refusal="PELORIN_EMULATE_32=1 asked for qemu-user's i386 emulation, but"
    forced=yes
else
    case $output in
        *"Exec format error"*) ;;
        *) skip "Wine's 32-bit loader does not start: ${output##*: }" ;;
    esac
    [ "$mode" = --here ] && skip "this processor refuses 32-bit code (Exec format error)"
    why="this processor refuses 32-bit code"
    refusal="this processor refuses 32-bit code (Exec format error), and"
fi

# A private binfmt_misc needs a user namespace and Linux 6.7 or later.
if ! output=$(unshare --user --map-root-user --mount -- true 2>&1); then
    # The kernel makes none for a chrooted process.
    [ "$(stat -c %d:%i /)" = "$(stat -c %d:%i /proc/1/root/. 2>/dev/null)" ] || output+=", in a chroot"
    skip "no user namespace can be made here for qemu-user's i386 emulation (${output##*: })"
fi
if ! output=$(unshare --user --map-root-user --mount -- \
        mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc 2>&1); then
    skip "this kernel ($(uname -r)) gives a user namespace no binfmt_misc of its own" \
        "for qemu-user's i386 emulation (Linux 6.7 or later does: ${output##*: })"
fi
if ! qemu_i386_is_10 "$qemu" && [ "$mode" = --install ]; then
    output=$(ensure_qemu_user) || skip "qemu-user 10 or later could not be installed: $output"
    qemu=$(command -v qemu-i386 || true)
fi
if ! qemu_i386_is_10 "$qemu"; then
    found=$([ ! -x "$qemu" ] || "$qemu" --version 2>&1 | head -n 1)
    skip "qemu-user 10 or later is not installed (found: ${found:-none};" \
        "an earlier one takes most of a minute to start each process)"
fi
if ! output=$(bash "$ROOT/scripts/emulate-i386.sh" "$qemu" "$loader" --version 2>&1); then
    skip "Wine's 32-bit loader does not start under qemu-i386 either: ${output##*: }"
fi
echo "under qemu-user's i386 emulation ($why)"
