#!/usr/bin/env bash
# End-to-end: a run goes from the real game to a real leaderboard and back.
#   leaderboard.sh GAME AUTOPLAY SCREEN_REGION SERVER_PROGRAMS
# scripts/serve starts a leaderboard (PostgreSQL, the front, a verifier) in
# the scratch folder on a free port, with the programs built in
# SERVER_PROGRAMS. settings.ini names it and a player. The autopilot
# finishes the first level, keeping its run as a player's, which queues it
# for the leaderboard; the game started next sends whatever is still queued.
# The run must then stand verified in the level's table, the game's Levels
# screen must show its row under the list, read back from the screen, and
# Race the record must start the level with it.
set -u
game=$(realpath "$1")
autoplay=$(realpath "$2")
region=$(realpath "$3")
programs=$(realpath "$4")
source "$(dirname "$0")/own_display.sh" screen
root=$(pwd)

serve_pid=""
stop_serve() {
    [[ -n "$serve_pid" ]] && kill "$serve_pid" 2>/dev/null && wait "$serve_pid" 2>/dev/null
    serve_pid=""
}
trap 'stop_serve; cleanup' EXIT

# Waits up to $1 seconds for the command after it to succeed.
within() {
    local until=$((SECONDS + $1))
    shift
    until "$@"; do
        ((SECONDS < until)) || return 1
        sleep 0.2
    done
}

# As root the database runs as the postgres user, who must reach the folder.
chmod o+x "$work"
port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
api="http://127.0.0.1:$port/v1"
"$root/scripts/serve" --data "$work/server" --port "$port" --workers 1 --programs "$programs" \
    >"$work/serve.log" 2>&1 </dev/null &
serve_pid=$!
player=e2e-runner
printf 'leaderboard = %s\nplayer_name = %s\n' "$api" "$player" >>"$XDG_CONFIG_HOME/vizazuv/settings.ini"

# The leaderboard starts while the autopilot plays: a run finished before it
# answers waits in the queue and is tried again.
if ! timeout 120 "$autoplay" --level first-roll --no-shadows --keep-run >"$work/autoplay.log" 2>&1 </dev/null; then
    fail "the autopilot did not finish the first level"; cat "$work/autoplay.log"; exit 1
fi

if ! within 30 curl -sf "$api/health" -o /dev/null; then
    fail "the leaderboard did not start"; cat "$work/serve.log"; exit 1
fi
level=$(curl -sf "$api/levels" | python3 -c '
import json, sys
print(next(l["identity"] for l in json.load(sys.stdin) if l["name"] == "first-roll"))')
[[ -n "$level" ]] || { fail "the leaderboard lists no first-roll level"; exit 1; }

"$game" --level first-roll >"$work/game.log" 2>&1 </dev/null &
pid=$!

# Verified: in the table, under the player's name.
in_table() {
    curl -sf "$api/levels/$level/table?limit=10" | grep -q "\"player\":\"$player\""
}
if ! within 40 in_table; then
    fail "the run never stood in the level's table: $(curl -s "$api/levels/$level/table")"
    cat "$work/game.log" "$work/autoplay.log"
fi
queued=$(find "$XDG_DATA_HOME/vizazuv/outbox" -name '*.vzr' 2>/dev/null | wc -l)
((queued == 0)) || fail "$queued run(s) still queued after the run was verified"
[[ $(stat -c %a "$XDG_DATA_HOME/vizazuv/leaderboard-token" 2>/dev/null) == 600 ]] ||
    fail "the player's token is not kept in a file of mode 600"

if ! timeout 60 xdotool search --sync --onlyvisible --name '^Vizazuv!$' >/dev/null 2>&1; then
    fail "no game window appeared"; cat "$work/game.log"; exit 1
fi
xdotool mousemove 640 360
skip_card "$work/game.log"

# The Levels screen at 1280 x 720: 24-pixel rows from 84 down; the six
# levels, the Race the record switch and Back, then the table's heading (row 8) and its
# first entry (row 9), which the player's run is.
entry_row=(163 300 600 24)
xdotool key p
sleep 0.5
xdotool key Down Down Down Return
sleep 1
# The second level has no runs: its table is its heading alone, and row 9 is empty.
xdotool key Down
sleep 1.5
shoot second
xdotool key Up
shows_entry() { (($(changed_now second "${entry_row[@]}") > 300)); }
if ! within 10 shows_entry; then
    shoot first
    fail "the Levels screen shows no table row for the run ($(changed first second "${entry_row[@]}") pixels)"
fi

# Race the record (row 6) switched on, then the first level chosen: the
# record's run comes down and the level starts again with it as the ghost,
# which closes the menu and its title.
title_box=(160 35 210 35)
xdotool key Down Down Down Down Down Down Return
sleep 0.3
xdotool key Up Up Up Up Up Up Return
menu_gone() { (($(changed_now second "${title_box[@]}") > 500)); }
within 15 menu_gone || fail "Race the record did not start the level (the menu stayed)"
grep -q '^Racing the record of First roll: 0:' "$work/game.log" || fail "the level started without the record's ghost"

quit_game "$work/game.log"
stop_serve
report leaderboard
