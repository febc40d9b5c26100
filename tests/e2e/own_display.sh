# Sourced by the end-to-end scripts that run the real game: a scratch folder
# ($work) with the game's own config and data folders in it, a virtual
# display of the script's own (keys sent there reach this game and nothing
# else the suite runs), and a cleanup of both and of the game ($pid) at exit;
# then quit_game and report, which every such script ends with.
# With "screen" as its argument the display keeps its screen in a file,
# $screen, so reading it costs no round trip through a busy X server.
failures=0
work=$(mktemp -d)
pid=""
server=""
cleanup() {
    [[ -n "$pid" ]] && kill -9 "$pid" 2>/dev/null
    [[ -n "$server" ]] && kill "$server" 2>/dev/null && wait "$server" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
# The scene at one fixed scale: the automatic scale would redraw it at
# another whenever this busy machine slows, and the scripts compare pixels.
mkdir -p "$XDG_CONFIG_HOME/vizazuv"
echo "auto_scale = off" >"$XDG_CONFIG_HOME/vizazuv/settings.ini"

# A sound configuration in $work/alsoft.conf (for ALSOFT_CONF) that makes the
# wave writer the only device, writing 16-bit samples to $work/game.wav.
write_wave_conf() {
    printf '[general]\ndrivers = wave\nsample-type = int16\n[wave]\nfile = %s\n' "$work/game.wav" \
        >"$work/alsoft.conf"
}

screen_file=()
if [[ "${1:-}" == screen ]]; then
    mkdir "$work/screen"
    screen_file=(-fbdir "$work/screen")
    screen="$work/screen/Xvfb_screen0"
fi
# Shots of the screen, and the pixels of a box (x y w h from the top left)
# that differ between two shots or between the screen now and a shot; the
# script sets $region to the screen_region program.
shoot() { cp "$screen" "$work/$1.xwd"; }
changed() { "$region" "$work/$1.xwd" "$work/$2.xwd" "${@:3}"; }
changed_now() { "$region" "$screen" "$work/$1.xwd" "${@:2}"; }
Xvfb -displayfd 5 -screen 0 1280x720x24 "${screen_file[@]}" -nolisten tcp \
    5>"$work/display" >/dev/null 2>&1 &
server=$!
for ((i = 0; i < 100; i++)); do [[ -s "$work/display" ]] && break; sleep 0.1; done
[[ -s "$work/display" ]] || { echo "FAIL: the virtual display did not start"; exit 1; }
export DISPLAY=":$(head -n 1 "$work/display")"

# Once the game has built its level (its log, given, says "Time for
# creation"), a tap of space skips the level's card and the camera's flight
# from the goal, as a player who knows the way does.
skip_card() {
    local waited=0
    while ! grep -q '^Time for creation' "$1" && ((waited < 240)); do sleep 0.5; waited=$((waited + 1)); done
    sleep 1.5
    xdotool keydown space; sleep 0.05; xdotool keyup space
    sleep 0.5
}

# Escape must end the game ($pid) within 30 s, with status 0; the log file
# given, if any, is shown when not.
quit_game() {
    xdotool key Escape
    local waited=0 status
    while kill -0 "$pid" 2>/dev/null && ((waited < 60)); do sleep 0.5; waited=$((waited + 1)); done
    if kill -0 "$pid" 2>/dev/null; then
        kill -9 "$pid"; wait "$pid" 2>/dev/null; pid=""
        fail "the game did not quit on Escape"; return
    fi
    wait "$pid"; status=$?; pid=""
    ((status == 0)) || { fail "quit on Escape ended with status $status"; [[ -n "${1:-}" ]] && cat "$1"; }
}

# The script's last line: how many of its checks of WHAT failed (exit 1), or
# that all passed.
report() {
    if ((failures > 0)); then echo "$failures $1 check(s) failed"; exit 1; fi
    echo "$1 checks passed"
}
