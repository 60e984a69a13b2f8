#!/usr/bin/env bash
# Succeeds when Wine can start 32-bit programs here; otherwise prints why and fails.
export LC_ALL=C  # the reasons below match the messages in English
loader=/usr/lib/wine/wine
if [ ! -x "$loader" ]; then
    echo "Wine's 32-bit half (wine32:i386) is not installed"
    exit 1
fi
if ! output=$("$loader" --version 2>&1); then
    case $output in
        *"Exec format error"*) echo "the kernel refuses 32-bit programs (Exec format error)" ;;
        *) echo "Wine's 32-bit loader does not start: ${output##*: }" ;;
    esac
    exit 1
fi
