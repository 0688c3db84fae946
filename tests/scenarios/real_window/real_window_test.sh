#!/usr/bin/env bash
# Starts the real simulator under a virtual X server, clicks the bottom-left button (dragging
# off the window before the release, which must still release it) and presses Right five times
# through the X server, reads the window back and compares its LCD and status line with the
# headless driver's picture of the same steps.
# Then, paused, F11 twice records a GIF whose frames and delays are read back with giflib, and
# the session recorded from the start (--record) replays headless to the same picture.
# One walk then checks what a new user tripped over: a window shrunk below the picture lives
# and repaints, a click on the key map reaches nothing behind it, a key with Ctrl or Alt
# presses no button, the hint line names the paused clock and a new backlight level for a
# few seconds, Ctrl+Q quits; a script that fails keeps its window open, naming the failure.
# Usage: real_window_test.sh SIM WINDOW_COMPARE STEPS_SCRIPT WORK_FOLDER GIF_INFO
set -euo pipefail
sim=$1 compare=$2 steps=$3 work=$4 gif_info=$5
title="Ostrel QL-730 Simulator"
rm -rf "$work" && mkdir -p "$work"
pids=()
# The simulator first, then the X server it is connected to.
cleanup() {
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        kill "${pids[i]}" 2>/dev/null || true
        wait "${pids[i]}" 2>/dev/null || true
    done
}
trap cleanup EXIT

source "$(dirname "$0")/../virtual_display.sh"
start_virtual_display

# Started in the work folder, where F11 and F10 write their files.
(cd "$work" && exec "$sim" --record session.txt) >"$work/sim.log" 2>&1 &
pids+=($!)
wid=$(timeout 20 xdotool search --sync --onlyvisible --name "$title" | head -n1)
sleep 1

# Bottom-left button: region (38, 129)-(90, 176), pressed in its middle.
xdotool mousemove --window "$wid" 64 152 mousedown 1
xdotool mousemove 1270 1010 mouseup 1
# Held down, the button would repeat after 0.7 s and every 0.35 s after 2.1 s.
sleep 2.5
xdotool mousemove --window "$wid" 250 110
xdotool windowfocus --sync "$wid"
xdotool key --delay 60 Right Right Right Right Right
sleep 1
xwd -silent -id "$wid" -out "$work/window.xwd"

kill -0 "${pids[1]}" || { echo "the simulator ended early:"; cat "$work/sim.log"; exit 1; }
# The script writes its picture next to itself: run a copy of it in the work folder.
cp "$steps" "$work/steps.txt"
"$sim" --headless "$work/steps.txt"
"$compare" "$work/window.xwd" "$work/headless.png"

# Q held for 2 s holds the top-left button as the mouse would: the same picture as a 2 s hold.
xdotool keydown q
sleep 2
xdotool keyup q
sleep 1
xwd -silent -id "$wid" -out "$work/window-q.xwd"
# One script, so that the hold follows the first steps on the same device.
{ cat "$steps"; printf 'hold top-left 2s\nsave-window headless-q.png\n'; } >"$work/steps-q.txt"
(cd "$work" && "$sim" --headless steps-q.txt)
"$compare" "$work/window-q.xwd" "$work/headless-q.png"

# Space stops the simulated time the title shows; N steps it by 250 ms, four steps a second.
seconds_in_title() {
    local t
    t=$(xdotool getwindowname "$wid" | tee -a "$work/titles" | grep -o '[0-9]*:[0-9][0-9]:[0-9][0-9]')
    IFS=: read -r h m s <<<"$t"
    echo $((10#$h * 3600 + 10#$m * 60 + 10#$s))
}
xdotool key space
sleep 0.5
paused=$(seconds_in_title)
xdotool getwindowname "$wid" | grep -q ' paused$' || { echo "no 'paused' in the title"; exit 1; }
sleep 2
[ "$(seconds_in_title)" -eq "$paused" ] || { echo "time went on while paused"; exit 1; }
xdotool key --delay 100 n n n n n n n n
sleep 0.5
[ "$(seconds_in_title)" -eq $((paused + 2)) ] || { echo "8 steps did not advance 2 s"; exit 1; }
echo "paused: the time stood, 8 steps advanced it by 2 s"

# F11 twice while paused, a step, Up and three steps between: a GIF of exactly one second of
# simulated time, with a frame at least for the start and for the new speed a quarter second
# later. (A change at the instant the recording starts replaces its first frame.)
xdotool key F11
sleep 0.3
xdotool key --delay 100 n Up n n n
sleep 0.3
xdotool key F11
sleep 0.5
saved=$(grep -o 'saved ql730-[0-9-]*\.gif ([0-9]* frames)' "$work/sim.log") ||
    { echo "no GIF saved:"; cat "$work/sim.log"; exit 1; }
gif=${saved#saved }
gif=${gif%% *}
frames=${saved##*(}
frames=${frames%% *}
read -r count total < <("$gif_info" "$work/$gif")
if [ "$count" -ne "$frames" ] || [ "$count" -lt 2 ] || [ "$total" -ne 100 ]; then
    echo "the GIF $gif: $count frames (the window said $frames), $total hundredths (1 s expected)"
    exit 1
fi
echo "F11 twice: $gif, $count frames, $total hundredths of a second"

# F10 writes the session recorded since the start; played headless it ends on the same
# picture, at the simulated time the title shows.
xdotool key F10
sleep 0.5
xwd -silent -id "$wid" -out "$work/window-end.xwd"
[ -s "$work/session.txt" ] || { echo "no session written:"; cat "$work/sim.log"; exit 1; }
{ cat "$work/session.txt"; echo "save-window replay.png"; } >"$work/replay.txt"
(cd "$work" && "$sim" --headless replay.txt) >"$work/replay.out"
"$compare" "$work/window-end.xwd" "$work/replay.png"
replayed_s=$(($(grep -o '"time_ms":[0-9]*' "$work/replay.out" | cut -d: -f2) / 1000))
[ "$replayed_s" -eq "$(seconds_in_title)" ] ||
    { echo "the replay ended at ${replayed_s}s, the window at $(seconds_in_title)s"; exit 1; }
echo "the session replayed headless to the window's picture at ${replayed_s}s"

# I opens the inspector: the window grows to the right by its width, the faceplate stays where
# it was; I again closes it.
width_of() { xdotool getwindowgeometry "$wid" | awk '/Geometry:/ { split($2, g, "x"); print g[1] }'; }
xdotool key i
sleep 0.7
[ "$(width_of)" -eq 760 ] || { echo "the inspector did not widen the window: $(width_of)"; exit 1; }
kill -0 "${pids[1]}" || { echo "the simulator ended with the inspector:"; cat "$work/sim.log"; exit 1; }
xwd -silent -id "$wid" -out "$work/window-inspector.xwd"
"$compare" "$work/window-inspector.xwd" "$work/replay.png"
xdotool key i
sleep 0.7
[ "$(width_of)" -eq 500 ] || { echo "closing the inspector left the width at $(width_of)"; exit 1; }
echo "inspector: opened to 760 pixels, closed to 500"

# Dragged larger, the window shows the picture at the largest whole scale that fits, centred:
# 1010 x 580 holds it twice (1000 x 560) with 5 and 10 pixels to spare around it.
xdotool windowmove --sync "$wid" 0 0 windowsize --sync "$wid" 1010 580
sleep 0.7
xwd -silent -id "$wid" -out "$work/window-2x.xwd"
"$compare" "$work/window-2x.xwd" "$work/replay.png" 2 5 10
kill -0 "${pids[1]}" || { echo "the simulator ended after the resize:"; cat "$work/sim.log"; exit 1; }
echo "resized: the picture is shown at twice its size, whole pixels"

# Black ink on the hint line, right of the status texts (the picture holds none there; the
# keys' hint is grey): at its left the clock's state, at its right a message.
ink() { "$compare" --ink "$work/$1.xwd" "$2" 251 "$3" 28; }
snap() { xwd -silent -id "$wid" -out "$work/$1.xwd"; }
screen_in_title() { xdotool getwindowname "$wid" | awk '{ print $5 }'; }
# Sets `code` to the exit code of a simulator that must end within 5 s; 124 when it goes on.
# (Not in a subshell: only this shell can wait for its children.)
wait_for_exit() {
    code=124
    for _ in $(seq 50); do kill -0 "$1" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$1" 2>/dev/null && return
    code=0
    wait "$1" || code=$?
}
alive() { kill -0 "${pids[1]}" || { echo "the simulator ended $1:"; cat "$work/sim.log"; exit 1; }; }

# Shrunk below the picture, even below its minimum size, the window lives; enlarged again it
# shows the same picture (still paused).
xdotool windowsize --sync "$wid" 300 200
sleep 0.5
xdotool windowsize --sync "$wid" 100 50
sleep 0.5
alive "when the window was shrunk"
xdotool windowsize --sync "$wid" 500 280
sleep 0.7
snap window-regrown
"$compare" "$work/window-regrown.xwd" "$work/replay.png"
echo "shrunk to 300 x 200 and 100 x 50: the program lives and repaints when enlarged"

# Paused: "paused" at the left of the hint line.
[ "$(ink window-regrown 220 80)" -gt 20 ] || { echo "no 'paused' on the hint line"; exit 1; }
# H shows the key map; a click on MENU closes it and opens no menu behind it.
xdotool key h
sleep 0.3
xdotool mousemove --window "$wid" 64 73 click 1
sleep 0.5
[ "$(screen_in_title)" = MainTripScreen ] || { echo "the click reached $(screen_in_title)"; exit 1; }
snap window-after-map
"$compare" "$work/window-after-map.xwd" "$work/replay.png"
# Keys with Ctrl or Alt press no button: MENU would open the menu at the release.
for key in alt+q ctrl+1; do
    xdotool key "$key"
    sleep 0.3
    [ "$(screen_in_title)" = MainTripScreen ] || { echo "$key opened $(screen_in_title)"; exit 1; }
done
echo "the key map: a click closed it and reached nothing; Ctrl and Alt pressed no button"

# Running at x1 the hint line has no state; MENU held dims the backlight, which the hint line
# names for a few seconds, then the window wakes once to take the message away.
xdotool key space
sleep 0.3
snap window-running
[ "$(ink window-running 220 270)" -eq 0 ] || { echo "black ink on the hint line at x1"; exit 1; }
xdotool keydown q
sleep 1.3
xdotool keyup q
sleep 0.3
snap window-backlight
[ "$(ink window-backlight 300 190)" -gt 20 ] || { echo "no backlight message on the hint line"; exit 1; }
[ "$(screen_in_title)" = MainTripScreen ] || { echo "MENU held opened $(screen_in_title)"; exit 1; }
sleep 3.2
snap window-backlight-gone
[ "$(ink window-backlight-gone 220 270)" -eq 0 ] || { echo "the backlight message stayed"; exit 1; }
echo "hint line: 'paused', then 'Backlight: dim' for a few seconds"

# F5 switches the device off and on again: from the main menu it starts on the trip screen.
xdotool mousemove --window "$wid" 64 73 click 1
sleep 0.5
[ "$(screen_in_title)" = MainMenuScreen ] || { echo "MENU opened $(screen_in_title)"; exit 1; }
xdotool key F5
sleep 0.5
[ "$(screen_in_title)" = MainTripScreen ] || { echo "F5 left $(screen_in_title)"; exit 1; }
echo "F5: the device powered on again"

# Ctrl+Q quits as closing the window does, with exit code 0.
xdotool key ctrl+q
wait_for_exit "${pids[1]}"
[ "$code" -eq 0 ] || { echo "Ctrl+Q ended the simulator with $code:"; cat "$work/sim.log"; exit 1; }
echo "Ctrl+Q: the window closed with exit code 0"

# --drive replays its rows in the window's simulated time: a script played alongside checks
# them; a failed expectation would be written to drive.log.
printf 'time_s,speed_kmh,fuel_reading\n0,36,10\n2,72.5,99\n' >"$work/drive.csv"
printf 'wait 1s\nexpect-state vehicle.speed 36\nwait 2s\nexpect-state vehicle.speed 72.5\nexpect-state fuel_sender.reading 99\n' >"$work/drive.txt"
"$sim" --drive "$work/drive.csv" --script "$work/drive.txt" --speed 4 \
    --record "$work/drive-session.txt" >"$work/drive.log" 2>&1 &
pids+=($!)
sleep 3
kill -0 "${pids[2]}" || { echo "the drive's script failed in the window:"; cat "$work/drive.log"; exit 1; }
[ ! -s "$work/drive.log" ] || { echo "the drive in the window said:"; cat "$work/drive.log"; exit 1; }
echo "--drive: the rows took effect in the window's simulated time"

# The session of a window that replayed a drive starts the same drive, so its replay counts the
# same distance as the window did.
kill -TERM "${pids[2]}"
wait "${pids[2]}" || true
grep -q '^drive ' "$work/drive-session.txt" || { echo "the session has no drive:"; cat "$work/drive-session.txt"; exit 1; }
"$sim" --headless "$work/drive-session.txt" >"$work/drive-replay.out" ||
    { echo "the drive's session did not replay"; exit 1; }
grep -q '"speed":72.5' "$work/drive-replay.out" ||
    { echo "the drive's session replayed to:"; cat "$work/drive-replay.out"; exit 1; }
echo "--record with --drive: the session replays the drive"

# A script that fails keeps its window open, the failure on the hint line (two lines of black
# ink), and the program ends with exit code 1 when the window is closed.
printf 'wait 1s\nexpect-screen MainMenuScreen\n' >"$work/fails.txt"
"$sim" --script "$work/fails.txt" --speed 4 >"$work/fails.log" 2>&1 &
pids+=($!)
wid=$(timeout 20 xdotool search --sync --onlyvisible --pid "${pids[3]}" | head -n1) ||
    { echo "no window for the failing script:"; cat "$work/fails.log"; exit 1; }
sleep 1.5
kill -0 "${pids[3]}" || { echo "the failed script closed its window:"; cat "$work/fails.log"; exit 1; }
grep -q '^.*fails.txt:2: expected the screen MainMenuScreen, found MainTripScreen$' "$work/fails.log" ||
    { echo "the failure was not reported:"; cat "$work/fails.log"; exit 1; }
snap window-failed
[ "$("$compare" --ink "$work/window-failed.xwd" 300 251 190 14)" -gt 20 ] &&
    [ "$("$compare" --ink "$work/window-failed.xwd" 300 265 190 14)" -gt 20 ] ||
    { echo "the failure is not on the hint line"; exit 1; }
xdotool mousemove --window "$wid" 250 110
xdotool key ctrl+q
wait_for_exit "${pids[3]}"
[ "$code" -eq 1 ] || { echo "closed after a failed script, the exit code was $code"; exit 1; }
echo "--script failing: the window stayed open naming it, exit code 1 when closed"
