#!/usr/bin/env bash
# The level checker as an author runs it from the repository root: the
# shipped level passes (0), a tile that is no level on its own fails (1), and
# a file that is no tile at all stops it (2). Also the summary and the reach
# lines are there.
set -u
checker=$1
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

output=$("$checker")
status=$?
[ "$status" -eq 0 ] || fail "shipped level: exit $status"
grep -q '^Tile1.dae: .* objects, triggers' <<<"$output" || fail "no summary for Tile1.dae"
grep -q '^reach: main sphere (radius 0.5): .* places, goals 1 of 1' <<<"$output" ||
    fail "no reach line for the main sphere"

"$checker" Objects/Tile2.dae >/dev/null
status=$?
[ "$status" -eq 1 ] || fail "a tile without the goal: exit $status, not 1"

"$checker" Objects/Tile1.dae Objects/NoSuchTile.dae >/dev/null
status=$?
[ "$status" -eq 2 ] || fail "a missing tile: exit $status, not 2"

[ "$failures" -eq 0 ] && echo "check_level: all passed"
exit "$failures"
