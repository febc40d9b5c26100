#!/usr/bin/env bash
# End-to-end: the pause menu and the settings file, with real X events.
#   menu_settings.sh GAME SCREEN_REGION
# P shows the menu mid-screen; three Downs move its highlight three rows and
# the arrows leave the scene behind it alone; a click on Settings opens the
# settings screen; there Escape cancels the key prompt, the forward push is
# bound to Up and mute to J (which leaves the sound on); Escape goes back to
# the menu and Escape again to the run, the game alive throughout: W then
# rolls nothing and Up rolls the sphere, heard. Alt+Enter switches to a
# window and back. settings.ini holds the key at the next start, which
# honours it, and a game started with "display = windowed" opens a window of
# the stored size.
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
row_x=470; row_top=400; row_h=44; row_wh=(340 40)  # the pause menu's rows: x, first top, step, w h
side_box=(20 100 400 500)  # the scene left of the menu
forward_entry=18           # "Key to push forward", counted from the settings screen's first entry

# The sound goes to a wave file, to be heard from the file.
write_wave_conf
start_game() {
    ALSOFT_CONF="$work/alsoft.conf" "$game" >"$work/$1.log" 2>&1 </dev/null &
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
alive() { kill -0 "$pid" 2>/dev/null || fail "the game ended: $1"; }
# Waits up to 15 s for a test to hold: frames are slow on a busy machine.
holds() {
    local i
    for ((i = 0; i < 60; i++)); do eval "$1" && return 0; sleep 0.25; done
    return 1
}
# The loudest sample the wave file gained since it was SIZE bytes long.
loudest_since() {
    od -An -v -td2 -j "$1" "$work/game.wav" |
        awk '{ for (i = 1; i <= NF; i++) { v = $i < 0 ? -$i : $i; if (v > m) m = v } } END { print m + 0 }'
}
wave_size() { stat -c %s "$work/game.wav" 2>/dev/null || echo 0; }
geometry() { xdotool search --onlyvisible --name '^Vizazuv!$' getwindowgeometry 2>/dev/null | grep -o '[0-9]*x[0-9]*'; }
# Pixels of the scene's middle that change while KEY is held for a second.
rolled_by() {
    shoot "before-$1"
    xdotool keydown "$1"; sleep 1; xdotool keyup "$1"
    sleep 0.3
    shoot "after-$1"
    changed "after-$1" "before-$1" "${scene_box[@]}"
}

# Waits up to 15 s for the scene's middle to stand still for half a second:
# whatever was moving (the menu going, the camera easing in) has stopped.
settle() {
    local i
    for ((i = 0; i < 30; i++)); do
        shoot settling; sleep 0.5
        (($(changed_now settling "${scene_box[@]}") < 200)) && return 0
    done
}

start_game first || exit 1
shoot playing
xdotool key p
sleep 1
shoot menu
(($(changed menu playing "${resume_box[@]}") > 500)) || fail "no menu mid-screen after P"

# Three Downs at once: the highlight leaves Resume and lands on the fourth
# row, passing over the two between; the scene left of the menu stays.
xdotool key Down Down Down
holds '(($(changed_now menu "$row_x" $((row_top + 3 * row_h)) "${row_wh[@]}") > 500))'
xdotool keydown Left; sleep 1; xdotool keyup Left
sleep 1.5
shoot down3
for row in 0 3; do
    (($(changed down3 menu "$row_x" $((row_top + row * row_h)) "${row_wh[@]}") > 500)) ||
        fail "after Down Down Down the highlight did not move off row 0 onto row 3 (row $row)"
done
for row in 1 2; do
    (($(changed down3 menu "$row_x" $((row_top + row * row_h)) "${row_wh[@]}") < 100)) ||
        fail "after Down Down Down row $row changed"
done
side=$(changed down3 menu "${side_box[@]}")
((side < 100)) || fail "arrow keys with the menu open changed the scene behind it ($side pixels)"

xdotool mousemove "${settings_row[@]}" click 1
sleep 1
shoot settings
(($(changed settings menu "${title_box[@]}") > 500)) || fail "a click on Settings opened no settings screen"

# The key prompt: Escape cancels it and leaves Settings open. The keys reach
# "Key to push forward" wherever the list has scrolled to.
xdotool key $(printf 'Down %.0s' $(seq "$forward_entry")) Return
sleep 1
xdotool key Escape
sleep 1
alive "Escape in the key prompt"
shoot cancelled
(($(changed cancelled settings "${title_box[@]}") < 100)) || fail "Escape in the key prompt left Settings"
xdotool key Return
sleep 1
xdotool key Up
holds "grep -q '^key_forward = Up$' '$settings' 2>/dev/null" || fail "settings.ini does not hold the new key: $(cat "$settings" 2>/dev/null)"
# Mute, nine entries below, to J: the J that binds does not mute.
xdotool key Down Down Down Down Down Down Down Down Down Return
sleep 1
xdotool key j
holds "grep -q '^key_mute = J$' '$settings' 2>/dev/null" || fail "settings.ini does not bind mute to J"
xdotool key Escape
holds '(($(changed_now menu "${title_box[@]}") < 100))' || fail "Escape in Settings did not go back to the menu"
alive "Escape in Settings"
xdotool key Escape
# The menu's panel goes; the scene itself may have moved on since the start.
holds '(($(changed_now menu "${resume_box[@]}") > 500))' || fail "Escape in the menu did not go back to the run"
alive "Escape in the menu"
xdotool mousemove 640 360
settle
still=$(rolled_by w)
heard_from=$(wave_size)
rolled=$(rolled_by Up)
loudest=$(loudest_since "$heard_from")
echo "scene pixels changed: $still while W was held, $rolled while Up was held; loudest sample $loudest"
((still < 2000)) || fail "W still rolls the sphere after forward went to Up ($still pixels)"
((rolled > 5 * still + 2000)) || fail "Up does not roll the sphere ($rolled pixels)"
((loudest > 300)) || fail "the sound is off after mute was bound to J (loudest sample $loudest)"

# Alt+Enter as one chord: a window, then full screen again.
full=$(geometry)
xdotool key alt+Return
holds '[[ "$(geometry)" != "$full" ]]'
windowed=$(geometry)
xdotool key alt+Return
holds '[[ "$(geometry)" == "$full" ]]'
again=$(geometry)
echo "alt+Return: $full, then $windowed, then $again"
[[ "$windowed" != "$full" && "$again" == "$full" ]] || fail "alt+Return did not switch to a window and back"
quit_game

# The next start reads the key back and honours it, warning about nothing.
start_game second || exit 1
settle
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
