#!/usr/bin/env bash
# Usage: emulate-i386.sh QEMU_I386 COMMAND [ARG...]
# Runs COMMAND in a user and mount namespace of its own whose private
# binfmt_misc (Linux 6.7 or later) starts every i386 ELF program with
# QEMU_I386, so Wine's 32-bit half runs on a processor that refuses 32-bit
# code. Flag F opens QEMU_I386 now, so it is found from inside any later
# mount namespace too. x86-64 programs do not match and run as before. The
# machine's own binfmt_misc is never touched: that would change how every
# 32-bit program starts, for every user.
set -euo pipefail
qemu=$(readlink -f "$1")
shift
exec unshare --user --map-root-user --mount -- bash -c '
    set -e
    # Only ever in a namespace of our own: the first one maps every uid.
    if [ "$(awk "{print \$3}" /proc/self/uid_map)" = 4294967295 ]; then
        echo "emulate-i386.sh: no user namespace of its own" >&2
        exit 1
    fi
    mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
    magic="\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00"
    mask="\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff"
    printf "%s" ":pelorin-i386:M::$magic:$mask:$1:F" >/proc/sys/fs/binfmt_misc/register
    shift
    exec "$@"' emulate-i386 "$qemu" "$@"
