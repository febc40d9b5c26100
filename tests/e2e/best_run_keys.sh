#!/usr/bin/env bash
# End-to-end: the keys of a level's best run, sent to the real game as X key
# events and read back from the screen.
#   best_run_keys.sh GAME AUTOPLAY SCREEN_REGION
# The autopilot finishes the first level and keeps its run as a player's
# best. The game started on that level then answers G with "Ghost hidden"
# and "Ghost shown", B (a few seconds into the run, before any push) with
# the best run and "Replay 1x" under the timer, and V with play again.
set -u
game=$(realpath "$1")
autoplay=$(realpath "$2")
region=$(realpath "$3")
source "$(dirname "$0")/own_display.sh" screen

# Boxes are x y w h from the top left of the 1280 x 720 screen. Messages
# stand at x = 256, 215 from the top, 25 pixels a character: only "Ghost
# hidden" has a 12th. "Replay 1x" stands under the timer at the top right.
message_first=(256 215 25 25)
message_twelfth=(531 215 25 25)
replay_box=(1070 48 200 24)

# Held for 0.3 s, then left up for 0.5 s: even a slow frame sees both.
tap() { xdotool keydown "$1"; sleep 0.3; xdotool keyup "$1"; sleep 0.5; }
# Waits up to 5 s for a box to differ from a shot by more than the count.
shows() {
    local shot=$1 least=$2
    shift 2
    for ((i = 0; i < 50; i++)); do
        (($(changed_now "$shot" "$@") > least)) && return 0
        sleep 0.1
    done
    return 1
}

if ! timeout 180 "$autoplay" --level first-roll --no-shadows --keep-run >"$work/autoplay.log" 2>&1 </dev/null; then
    fail "the autopilot did not finish the first level"; cat "$work/autoplay.log"; exit 1
fi
if [[ -z "$(find "$XDG_DATA_HOME/vizazuv" -name '*-best.vzr' 2>/dev/null)" ]]; then
    fail "the autopilot's run was not kept as the best"; exit 1
fi

"$game" --level first-roll >"$work/game.log" 2>&1 </dev/null &
pid=$!
if ! timeout 120 xdotool search --sync --onlyvisible --name '^Vizazuv!$' >/dev/null 2>&1; then
    fail "no game window appeared"; cat "$work/game.log"; exit 1
fi
xdotool mousemove 640 360  # mid-screen the cursor leaves the camera alone
skip_card "$work/game.log"
sleep 2
shoot start

tap g
if ! shows start 30 "${message_twelfth[@]}"; then
    fail "G showed no \"Ghost hidden\""
fi
shoot hidden
tap g
sleep 0.5
# "Ghost shown" is a letter shorter: its twelfth place loses the "n".
if (($(changed_now start "${message_first[@]}") < 30 || $(changed_now hidden "${message_twelfth[@]}") < 30)); then
    fail "the second G did not show \"Ghost shown\""
fi

sleep 3  # the run's clock still stands: nothing was pushed
tap b
if ! shows start 100 "${replay_box[@]}"; then
    fail "B before the first push did not show the best run"
fi
tap v
sleep 1
if (($(changed_now start "${replay_box[@]}") > 20)); then
    fail "V while the best run was shown did not go back to playing"
fi

quit_game "$work/game.log"
report best-run-key
