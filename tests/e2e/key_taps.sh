#!/usr/bin/env bash
# End-to-end: option-key taps and holds of several lengths and the pause key,
# sent to the real game as X key events and read back from the screen.
#   key_taps.sh GAME SCREEN_REGION
# F2 shows the frame-time lines at the bottom left: a tap of 30 or 150 ms
# must switch them exactly once, a 600 ms hold must switch them again while
# held and never after the release. P must show "Paused" mid-screen and stop
# the run timer at the top right until P again; the left arrow turns the
# camera; paused, Escape goes back to the run, and there it quits. First of
# all, a tap skips the level's card and the camera's flight from the goal.
set -u
game=$(realpath "$1")
region=$(realpath "$2")
# Folders of its own: the option keys it taps are kept as settings, and the
# next run must start from the defaults.
source "$(dirname "$0")/own_display.sh" screen

# The screen is 1280 x 720 (the suite's virtual display); boxes are x y w h
# from the top left.
frame_time_box=(50 640 300 40)
paused_box=(540 340 200 40)
timer_box=(1110 15 160 30)

# on, off or unclear: whether the frame-time lines stand over the first shot.
frame_time_state() {
    local count
    count=$(changed_now base "${frame_time_box[@]}")
    if ((count > 300)); then echo on; elif ((count < 30)); then echo off; else echo unclear; fi
}
wait_for() {
    local want=$1 state waited=0
    while ((waited < 100)); do
        state=$(frame_time_state)
        [[ "$state" == "$want" ]] && return 0
        sleep 0.1; waited=$((waited + 1))
    done
    return 1
}
# The state must hold for the given number of samples (about 0.15 s each).
stays() {
    local want=$1 samples=$2 state
    for ((i = 0; i < samples; i++)); do
        state=$(frame_time_state)
        [[ "$state" == "$want" ]] || { echo "$state"; return 1; }
        sleep 0.05
    done
    return 0
}
tap() { xdotool keydown "$1"; sleep "$2"; xdotool keyup "$1"; }

"$game" >"$work/game.log" 2>&1 </dev/null &
pid=$!
if ! timeout 120 xdotool search --sync --onlyvisible --name '^Vizazuv!$' >/dev/null 2>&1; then
    fail "no game window appeared"; cat "$work/game.log"; exit 1
fi
# Mid-screen the cursor leaves the camera alone, so the scene holds still.
xdotool mousemove 640 360

# The level's card stands over a still view of the goal; a tap of a key no
# control uses skips it and the flight at once, with the run's clock still
# at zero. The card's title line is 40 px high, about 200 px from the top.
card_box=(200 190 880 60)
shoot blank
for ((i = 0; i < 100; i++)); do
    (($(changed_now blank "${card_box[@]}") > 3000)) && break
    sleep 0.1
done
sleep 0.3
shoot card
sleep 0.3
(($(changed_now card 0 0 1280 720) < 2000)) || fail "the card's view moved before its time"
tap space 0.05
sleep 2.5  # the spheres settle on the floor as the first steps run
shoot after_card
(($(changed card after_card "${card_box[@]}") > 3000)) || fail "a tap of space left the level's card on screen"
sleep 0.7
(($(changed_now after_card 240 200 800 300) < 2000)) || fail "after the skip the camera still flew"
(($(changed_now after_card "${timer_box[@]}") < 30)) || fail "the card or its skip started the run's clock"

sleep 1
shoot start
# F7 first: shadows off make the frames fast enough that a 150 ms tap spans
# several of them. Its message line (size 25 at x = 256, 215 from the top)
# says which way it went: only "Shadows disabled" has a 16th character.
tap F7 0.05
shown=0
for ((i = 0; i < 50; i++)); do
    (($(changed_now start 256 215 25 25) > 30)) && { shown=1; break; }
    sleep 0.1
done
if ((shown == 0)); then
    fail "a 50 ms tap of F7 showed no message"
else
    for pause in 0.6 0.6; do
        sleep "$pause"
        (($(changed_now start 631 215 25 25) > 30)) || fail "a 50 ms tap of F7 switched the shadows twice"
    done
fi
sleep 2.5  # until the message has gone
shoot base
for hold in 0.03 0.15; do
    for want in on off; do
        tap F2 "$hold"
        if ! wait_for "$want"; then
            fail "a ${hold} s tap of F2 did not switch the frame time $want"; continue
        fi
        # Long past the quarter-second lock-out: a second toggle would show.
        if ! state=$(stays "$want" 15); then
            fail "a ${hold} s tap of F2 switched the frame time $want and then $state"
        else
            echo "${hold} s tap: frame time $want, once"
        fi
    done
done

# Held for 0.6 s: switched at the press and again at least once while held.
previous=off
switches=0
(tap F2 0.6) &
holder=$!
end=$(($(date +%s%N) + 2000000000))
while (($(date +%s%N) < end)); do
    state=$(frame_time_state)
    if [[ "$state" != unclear && "$state" != "$previous" ]]; then
        switches=$((switches + 1)); previous=$state
    fi
done
wait "$holder"
sleep 0.4
settled=$(frame_time_state)
if ((switches < 2)); then
    fail "a 0.6 s hold of F2 switched the frame time $switches time(s), not repeatedly"
elif ! state=$(stays "$settled" 15); then
    fail "after a 0.6 s hold the frame time still switched: $settled then $state"
else
    echo "0.6 s hold: switched $switches time(s) while held, then steady"
fi

# P: "Paused" mid-screen and the run timer stands; P again and it runs on.
# The timer runs from the first act of a run: a push starts it. The picture
# is taken again once the sphere has stopped.
tap w 0.1
sleep 2
shoot base
tap p 0.1
sleep 1
shoot paused1
sleep 1
shoot paused2
if (($(changed paused1 base "${paused_box[@]}") < 200)); then
    fail "no \"Paused\" in the middle of the screen after P"
fi
if (($(changed paused2 paused1 "${timer_box[@]}") != 0)); then
    fail "the run timer moved while paused"
fi
tap p 0.1
sleep 1
shoot running1
sleep 1
shoot running2
if (($(changed running1 base "${paused_box[@]}") > 50)); then
    fail "\"Paused\" still shown after the second P"
fi
if (($(changed running2 running1 "${timer_box[@]}") == 0)); then
    fail "the run timer stood still after the second P"
fi

# The left arrow turns the camera as the left screen edge does.
shoot before_turn
tap Left 0.5
sleep 0.3
shoot after_turn
if (($(changed after_turn before_turn 200 150 880 400) < 5000)); then
    fail "holding the left arrow did not turn the camera"
fi

# Paused once more, Escape goes back to the run; there it quits.
tap p 0.1
sleep 1
xdotool key Escape
sleep 1
kill -0 "$pid" 2>/dev/null || fail "Escape in the pause menu ended the game"
quit_game "$work/game.log"
report key
