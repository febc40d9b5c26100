# Sourced by the end-to-end scripts that run the real game: a scratch folder
# ($work) with the game's own config and data folders in it, a virtual
# display of the script's own (keys sent there reach this game and nothing
# else the suite runs), and a cleanup of both and of the game ($pid) at exit.
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

screen_file=()
if [[ "${1:-}" == screen ]]; then
    mkdir "$work/screen"
    screen_file=(-fbdir "$work/screen")
    screen="$work/screen/Xvfb_screen0"
fi
Xvfb -displayfd 5 -screen 0 1280x720x24 "${screen_file[@]}" -nolisten tcp \
    5>"$work/display" >/dev/null 2>&1 &
server=$!
for ((i = 0; i < 100; i++)); do [[ -s "$work/display" ]] && break; sleep 0.1; done
[[ -s "$work/display" ]] || { echo "FAIL: the virtual display did not start"; exit 1; }
export DISPLAY=":$(head -n 1 "$work/display")"
