#!/usr/bin/env bash
# Runs the command when this machine can run 32-bit Windows programs under
# Wine; otherwise says why and exits 77, which CTest reports as skipped.
reason=$(bash "$(dirname "$0")/../scripts/can-run-32-bit.sh") || { echo "skipped: $reason"; exit 77; }
exec "$@"
