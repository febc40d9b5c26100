#!/usr/bin/env bash
# End-to-end: the pause menu and the settings file, with real X events.
#   menu_settings.sh GAME SCREEN_REGION
# P shows the menu mid-screen; a click on Settings opens the settings screen;
# there the forward push is bound to Up: W then rolls nothing and Up rolls
# the sphere. settings.ini holds the key at the next start, which honours it,
# and a game started with "display = windowed" opens a window of the stored
# size.
set -u
game=$(realpath "$1")
region=$(realpath "$2")
# The game's own folders, empty at the first start.
source "$(dirname "$0")/own_display.sh" screen
settings="$XDG_CONFIG_HOME/vizazuv/settings.ini"

# Boxes (x y w h from the top left) on the 1280 x 720 screen: the middle of
# the scene, the pause menu's first row, the settings screen's title.
scene_box=(340 160 600 200)
resume_box=(470 400 340 40)
title_box=(316 30 300 45)
settings_row=(640 507)     # the pause menu's third row
forward_row=(640 408)      # "Key to push forward" on the settings screen

start_game() {
    "$game" >"$work/$1.log" 2>&1 </dev/null &
    pid=$!
    if ! timeout 120 xdotool search --sync --onlyvisible --name '^Vizazuv!$' >/dev/null 2>&1; then
        fail "$1: no game window appeared"; cat "$work/$1.log"; return 1
    fi
    local waited=0
    while ! grep -q '^Time for creation' "$work/$1.log" && ((waited < 240)); do
        sleep 0.5; waited=$((waited + 1))
    done
    xdotool mousemove 640 360
    skip_card "$work/$1.log"
    sleep 2
}
# Pixels of the scene's middle that change while KEY is held for a second.
rolled_by() {
    shoot "before-$1"
    xdotool keydown "$1"; sleep 1; xdotool keyup "$1"
    sleep 0.3
    shoot "after-$1"
    changed "after-$1" "before-$1" "${scene_box[@]}"
}

start_game first || exit 1
shoot playing
xdotool key p
sleep 1
shoot menu
(($(changed menu playing "${resume_box[@]}") > 500)) || fail "no menu mid-screen after P"

xdotool mousemove "${settings_row[@]}" click 1
sleep 1
shoot settings
(($(changed settings menu "${title_box[@]}") > 500)) || fail "a click on Settings opened no settings screen"

xdotool mousemove "${forward_row[@]}" click 1
sleep 0.5
xdotool key Up
sleep 0.5
grep -q '^key_forward = Up$' "$settings" 2>/dev/null || fail "settings.ini does not hold the new key: $(cat "$settings" 2>/dev/null)"
xdotool key BackSpace
sleep 0.3
xdotool mousemove 640 360
xdotool key p
sleep 1
still=$(rolled_by w)
rolled=$(rolled_by Up)
echo "scene pixels changed: $still while W was held, $rolled while Up was held"
((still < 2000)) || fail "W still rolls the sphere after forward went to Up ($still pixels)"
((rolled > 5 * still + 2000)) || fail "Up does not roll the sphere ($rolled pixels)"
quit_game

# The next start reads the key back and honours it, warning about nothing.
start_game second || exit 1
still=$(rolled_by w)
rolled=$(rolled_by Up)
quit_game
((still < 2000 && rolled > 5 * still + 2000)) || fail "at the next start Up rolls $rolled pixels, W $still"
grep -q 'settings.ini' "$work/second.log" && { fail "the next start warned"; cat "$work/second.log"; }

# Started windowed: a window of the stored size.
sed -i -e 's/^display = .*/display = windowed/' -e 's/^window_width = .*/window_width = 640/' \
    -e 's/^window_height = .*/window_height = 400/' "$settings"
start_game windowed || exit 1
geometry=$(xdotool search --onlyvisible --name '^Vizazuv!$' getwindowgeometry 2>/dev/null)
quit_game
if ! grep -q 'Geometry: 640x400' <<<"$geometry"; then
    fail "display = windowed opened: $geometry"
else
    echo "windowed start: 640x400"
fi

report menu
