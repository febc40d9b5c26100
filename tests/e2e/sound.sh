#!/usr/bin/env bash
# End-to-end: the real game's sound. With the sound library's wave-file
# writer as its device (a config named by ALSOFT_CONF), W rolls the main
# sphere and an option key ticks for a few seconds; after Escape the file
# must hold sound, none of it reaching -1 dBFS. With no usable device the
# game says so in one line, plays on, and quits normally.
#   sound.sh GAME
set -u
game=$(realpath "$1")
source "$(dirname "$0")/own_display.sh"

# Starts the game with the given environment; returns once its level is
# loaded and a second has passed, or fails.
start_game() {
    local log=$1
    shift
    env "$@" "$game" >"$log" 2>&1 </dev/null &
    pid=$!
    if ! timeout 120 xdotool search --sync --onlyvisible --name '^Vizazuv!$' >/dev/null 2>&1; then
        fail "no game window appeared"; cat "$log"; return 1
    fi
    local waited=0
    while ! grep -q '^Time for creation' "$log" && ((waited < 240)); do sleep 0.5; waited=$((waited + 1)); done
    sleep 1
    kill -0 "$pid" 2>/dev/null || { fail "the game ended early"; cat "$log"; return 1; }
}

write_wave_conf
if start_game "$work/wave.log" ALSOFT_CONF="$work/alsoft.conf"; then
    xdotool mousemove 640 360
    xdotool keydown w; sleep 2; xdotool keyup w
    xdotool key F7; sleep 1
    quit_game "$work/wave.log"
    grep -q '^No sound device' "$work/wave.log" && fail "the wave writer did not open as the device"
    # The file's samples after its data chunk's header: the loudest of them.
    at=$(grep -obUa 'data' "$work/game.wav" | head -n 1 | cut -d: -f1)
    peak=$(od -An -v -td2 -j $((${at:-0} + 8)) "$work/game.wav" |
        awk '{ for (i = 1; i <= NF; i++) { v = $i < 0 ? -$i : $i; if (v > m) m = v } } END { print m + 0 }')
    if ((peak < 300)); then
        fail "the wave file holds no sound (loudest sample $peak of 32767)"; cat "$work/wave.log"
    elif ((peak >= 29204)); then
        fail "a sample reaches -1 dBFS (loudest sample $peak of 32767)"
    else
        echo "wave device: sound in the file (loudest sample $peak of 32767)"
    fi
fi

# No device the sound library can use: one line, and the game plays on.
if start_game "$work/none.log" ALSOFT_DRIVERS=nonexistent; then
    xdotool keydown w; sleep 1; xdotool keyup w
    quit_game "$work/none.log"
    lines=$(grep -cx 'No sound device: playing without sound.' "$work/none.log")
    if ((lines != 1)); then
        fail "no device: the line came $lines time(s)"; cat "$work/none.log"
    else
        echo "no device: one line, played on and quit normally"
    fi
fi

report sound
