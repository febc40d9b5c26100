#!/usr/bin/env bash
# The level checker as an author runs it from the repository root: the
# shipped level passes (0), a tile that is no level on its own fails (1), and
# a file that is no tile at all stops it (2). Also the summary and the reach
# lines are there. A texture name can't reach outside Textures/, a damaged
# tile is one line and exit 2 (never a crash, an abort or a hang), and a
# texture of another format than PNG, TGA or JPEG is an error naming it.
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

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The path test: a floor naming an image outside Textures/ by "..".
mkdir -p /tmp/x "$work/Objects"
cp Textures/stone.png /tmp/x/secret.png
sed 's|floor_start__texture__stone_png__|floor_start__texture__../../../../../../tmp/x/secret.png__|g' \
    Objects/Tile1.dae >"$work/Objects/Tile1.dae"
output=$("$checker" "$work/Objects/Tile1.dae")
status=$?
[ "$status" -eq 1 ] || fail "a texture outside Textures/: exit $status, not 1"
grep -q 'secret.png (REFUSED' <<<"$output" || fail "the outside texture is not shown as refused"
grep -q '^.*Tile1.dae: floor_start__texture__\.\./.*secret.png__: texture .* is refused: the name climbs out of Textures' <<<"$output" ||
    fail "no line naming the node whose texture is outside Textures/"
grep -q 'secret.png (found)' <<<"$output" && fail "the outside texture was found"
rm -f /tmp/x/secret.png

# Damaged tiles (crashes, aborts, huge allocations and hangs of the importer):
# each is exit 2 with its one line, within a few seconds.
for tile in tests/data/damaged/*.dae; do
    started=$(date +%s%N)
    output=$(timeout 60 "$checker" --no-reach "$tile" 2>&1)
    status=$?
    took=$((($(date +%s%N) - started) / 1000000))
    [ "$status" -eq 2 ] || fail "$tile: exit $status, not 2"
    lines=$(grep -c "^$tile: -: can't be read as a tile: " <<<"$output")
    [ "$lines" -eq 1 ] || fail "$tile: $lines lines naming it, not 1"
    ((took < 10000)) || fail "$tile: took $took ms"
done

# A Photoshop file named stone.png: refused by its content, the node named.
mkdir -p "$work/Textures"
cp Textures/* "$work/Textures/"
cp tests/fuzz/corpus/image/rgb.psd "$work/Textures/stone.png"
output=$("$checker" --no-reach --textures "$work/Textures" Objects/Tile1.dae)
status=$?
[ "$status" -eq 1 ] || fail "a PSD texture: exit $status, not 1"
grep -q 'floor_start__texture__stone_png__: texture stone.png is a PSD image: only PNG, TGA and JPEG are read' <<<"$output" ||
    fail "no line refusing the PSD texture"

[ "$failures" -eq 0 ] && echo "check_level: all passed"
exit "$failures"
