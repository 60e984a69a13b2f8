#!/usr/bin/env bash
# Runs the command when Wine's 32-bit half starts here (natively, or through
# the test command's emulation); otherwise says why and exits 77, which CTest
# reports as skipped.
reason=$(bash "$(dirname "$0")/../scripts/how-32-bit-runs.sh" --here) || { echo "$reason"; exit 77; }
exec "$@"
