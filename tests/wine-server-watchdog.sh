#!/usr/bin/env bash
# The test command's watchdog, on a prefix of its own whose real Wine server
# is stopped (SIGSTOP) while a CTest test waits on it, with a short silence:
# the run ends in time and says why; every process of that prefix is gone,
# the stopped server and a program it started (double-forked, as Wine starts
# programs) too; a process of another prefix is left alone. And the EXIT
# trap's end of a prefix does not hang on a stopped server.
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/common.sh"
export PELORIN_SERVER_SILENCE=3 WINEPREFIX
WINEPREFIX=$(mktemp -d /tmp/pelorin-watchdog-prefix.XXXXXX)
work=$(mktemp -d)
other=""
trap '{ kill -KILL $other; wait; } 2>/dev/null; kill_prefix; rm -rf "$WINEPREFIX" "$work"' EXIT
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }
server() { prefix_processes 'wineserver*'; }

"$WINESERVER" -p
for _ in $(seq 1 50); do server_answers && break; sleep 0.1; done
server_answers || { echo "The prefix's Wine server did not answer at the start."; exit 1; }
WINEPREFIX=$WINEPREFIX-other sleep 600 &
other=$!

cat >"$work/CTestTestfile.cmake" <<EOF
add_test(waits_on_stopped_server bash -c "echo '[ RUN      ] StandIn.WaitsOnTheServer'; (sleep 600 &); kill -STOP $(server); sleep 600")
EOF
start=$SECONDS
status=0
run_watched ctest --test-dir "$work" --verbose >"$work/out" 2>&1 || status=$?
took=$((SECONDS - start))
cat "$work/out"

[ "$status" -ne 0 ] || fail "the run passed"
limit=$(($(server_silence) + $(server_silence) / 9 + $(server_wait) + 10))
((took <= limit)) || fail "the run took $took s, more than $limit s"
tail -n 2 "$work/out" |
    grep -q "^Wine's server stopped answering: .* while CTest ran waits_on_stopped_server (at StandIn.WaitsOnTheServer)\. " ||
    fail "the last lines do not say that the server stopped answering during waits_on_stopped_server"
[ -z "$(prefix_processes)" ] || fail "processes of the prefix are left: $(prefix_processes)"
kill -0 "$other" 2>/dev/null || fail "the other prefix's process was killed"

"$WINESERVER" -p
for _ in $(seq 1 50); do server_answers && break; sleep 0.1; done
kill -STOP "$(server)"
start=$SECONDS
end_prefix
((SECONDS - start <= $(server_wait) + 5)) || fail "ending a prefix with a stopped server took $((SECONDS - start)) s"
[ -z "$(prefix_processes)" ] || fail "after end_prefix processes of the prefix are left: $(prefix_processes)"

((failures == 0)) && echo "The watchdog ended the run after $took s."
exit $((failures > 0))
