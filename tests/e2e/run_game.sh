#!/usr/bin/env bash
# End-to-end: the real game started from its data folder on the current
# display, quit by Escape and by Q, a start with a shader file missing, and a
# start with a damaged tile and a texture name reaching outside Textures/.
set -u
game=$(realpath "$1")
root=$(pwd)
failures=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# A display of its own: keys sent here must reach the game and nothing else
# the suite runs at the same time.
Xvfb -displayfd 5 -screen 0 1280x720x24 -nolisten tcp 5>"$work/display" >/dev/null 2>&1 &
server=$!
trap 'kill "$server" 2>/dev/null; rm -rf "$work"' EXIT
for ((i = 0; i < 100; i++)); do [[ -s "$work/display" ]] && break; sleep 0.1; done
[[ -s "$work/display" ]] || { echo "FAIL: the virtual display did not start"; exit 1; }
export DISPLAY=":$(head -n 1 "$work/display")"

# Starts the game, waits for its window and a few frames, presses a key and
# expects a clean exit.
quit_with_key() {
    local key=$1 log="$work/quit-$1.log"
    "$game" >"$log" 2>&1 </dev/null &
    local pid=$!
    if ! timeout 120 xdotool search --sync --onlyvisible --name '^Vizazuv!$' >/dev/null 2>&1; then
        kill "$pid" 2>/dev/null
        fail "no game window appeared before pressing $key"; cat "$log"; return
    fi
    # The window opens before the level loads; on a busy machine the load
    # can take longer than the pause below, so wait for its line first.
    local waited_for_level=0
    while ! grep -q '^Time for creation' "$log" && ((waited_for_level < 240)); do
        sleep 0.5; waited_for_level=$((waited_for_level + 1))
    done
    sleep 2
    if ! kill -0 "$pid" 2>/dev/null; then
        fail "the game ended before $key was pressed"; cat "$log"; return
    fi
    xdotool key "$key"
    local waited=0
    while kill -0 "$pid" 2>/dev/null && ((waited < 60)); do sleep 0.5; waited=$((waited + 1)); done
    if kill -0 "$pid" 2>/dev/null; then
        kill -9 "$pid"; fail "the game did not quit on $key"; return
    fi
    wait "$pid"; local status=$?
    ((status == 0)) || { fail "quit on $key ended with status $status"; cat "$log"; }
    echo "quit on $key: status $status"
    # The software renderer offers 3.3 and more, so the game says so.
    grep -qx 'OPEN GL 3 SUPPORTED YEAH' "$log" || { fail "no OpenGL 3.3 line"; cat "$log"; }
}

quit_with_key Escape
quit_with_key q

# A data folder with one shader missing: the start-up must fail at once with
# the shader message and status 255, without waiting for a key.
mkdir -p "$work/data"
for folder in Shader Objects Textures; do
    [[ -d "$root/$folder" ]] && cp -r "$root/$folder" "$work/data/"
done
rm -f "$work/data/Shader/Passthrough.vert"
(cd "$work/data" && timeout 120 "$game" >"$work/missing.log" 2>&1 </dev/null)
status=$?
if ((status != 255)); then
    fail "missing shader: status $status, expected 255"; cat "$work/missing.log"
elif ! grep -qx 'failed to open shader file...' "$work/missing.log"; then
    fail "missing shader: message not printed"; cat "$work/missing.log"
else
    echo "missing shader: status 255 with its message"
fi

# A damaged Tile1.dae (one the importer crashed on) and a Tile2.dae whose
# floor names a texture outside Textures/: one line each, the game goes on
# without the tile and shades the floor plainly.
mkdir -p "$work/damaged"
for folder in Shader Objects Textures; do
    [[ -d "$root/$folder" ]] && cp -r "$root/$folder" "$work/damaged/"
done
damaged=$(ls "$root"/tests/data/damaged/*.dae | head -1)
cp "$damaged" "$work/damaged/Objects/Tile1.dae"
sed -i 's|floor_hall__texture__stone_png__|floor_hall__texture__../../../../../../etc/hostname__|g' "$work/damaged/Objects/Tile2.dae"
(cd "$work/damaged" && exec "$game" --level grand-tour >"$work/damaged.log" 2>&1 </dev/null) &
pid=$!
waited=0
while ! grep -q '^Time for creation' "$work/damaged.log" && kill -0 "$pid" 2>/dev/null && ((waited < 240)); do
    sleep 0.5; waited=$((waited + 1))
done
sleep 1
# Still running after its level: it went on. It is ended by a signal, not a
# key, so no key can reach another test's window on the same display.
if ! kill -0 "$pid" 2>/dev/null; then
    wait "$pid"; fail "damaged tile: the game ended (status $?)"; cat "$work/damaged.log"
else
    kill "$pid"; wait "$pid" 2>/dev/null
    lines=$(grep -c "^Objects/Tile1.dae: can't be read as a tile: damaged: " "$work/damaged.log")
    outside=$(grep -c "^Objects/Tile2.dae: .*__texture__\.\./.*: texture .* is refused: the name climbs out of Textures" "$work/damaged.log")
    if ! grep -q '^Time for creation' "$work/damaged.log" || ((lines != 1)) || ((outside < 1)); then
        fail "damaged tile: $lines tile lines, $outside texture lines"; cat "$work/damaged.log"
    else
        echo "damaged tile and outside texture: one line each, the game loaded the rest and went on"
    fi
fi

# No display at all: the window library cannot start. The game prints its line
# and ends with 255; with no terminal on standard input the pause never waits.
(env -u DISPLAY timeout 60 "$game" >"$work/noglfw.log" 2>&1 </dev/null)
status=$?
if ((status != 255)) || ! grep -qx 'Failed to init glfw' "$work/noglfw.log"; then
    fail "no display: status $status"; cat "$work/noglfw.log"
else
    echo "no display: status 255 with its message"
fi

# On a terminal the same failure waits for Enter before it ends...
(sleep 3; printf '\n') | env -u DISPLAY timeout 60 script -qec "$game" /dev/null >"$work/pause.log" 2>&1
status=$?
if ((status != 255)) || ! grep -q 'Failed to init glfw' "$work/pause.log"; then
    fail "pause on a terminal: status $status"; cat "$work/pause.log"
fi
env -u DISPLAY timeout 5 script -qec "$game" /dev/null >/dev/null 2>&1 < <(sleep 30)
status=$?
((status == 124)) || fail "on a terminal the failure did not wait for Enter (status $status)"

# ...but a window that cannot open (no 3.2 context offered) returns at once,
# even on a terminal.
MESA_GL_VERSION_OVERRIDE=3.0 timeout 20 script -qec "$game" /dev/null >"$work/nowindow.log" 2>&1 < <(sleep 30)
status=$?
if ((status != 255)) || ! grep -q 'Failed to initialize OpenGL window.' "$work/nowindow.log"; then
    fail "no window: status $status"; cat "$work/nowindow.log"
else
    echo "no window: status 255 without a pause"
fi

if ((failures > 0)); then
    echo "$failures end-to-end check(s) failed"
    exit 1
fi
echo "end-to-end checks passed"
