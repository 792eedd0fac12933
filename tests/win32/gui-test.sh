#!/usr/bin/env bash
# Drives carvel.exe and seamer.exe under Wine on a virtual X display, as a user would: real
# clicks and keys through xdotool, screenshots through ImageMagick's import.
# Usage: bash tests/win32/gui-test.sh BIN_FOLDER [SHOTS]   (WINEPREFIX set to a prepared prefix)
# A failure leaves a screenshot of the moment in SHOTS (default: the current folder).
set -euo pipefail
bin=$(realpath "$1")
shots=$(realpath "${2:-.}")
work=$(mktemp -d)
export WINEDEBUG=-all
: "${WINEPREFIX:?a Wine prefix}"
pids=()

cleanup() {
    wineserver -k 2>/dev/null || true
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    import -window root "$shots/gui-test-failure.png" 2>/dev/null &&
        echo "screenshot: $shots/gui-test-failure.png" >&2
    exit 1
}
pass() { echo "ok: $*"; }

# A display of our own, whose number Xvfb picks free, with a window manager: Wine's windows are
# activated through it.
Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp >"$work/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=:$(head -1 "$work/display")
openbox >/dev/null 2>&1 &
pids+=($!)
# A Wine server of this prefix started without a display would keep the windows off it.
wineserver -k 2>/dev/null || true

# Waits until a window of that exact name is there (or gone, with "gone"); prints its id.
wait_window() {
    local name=$1 seconds=${2:-20} state=${3:-there}
    for _ in $(seq $((seconds * 10))); do
        local id
        id=$(xdotool search --name "^$name\$" 2>/dev/null | head -1 || true)
        if [ "$state" = there ] && [ -n "$id" ]; then echo "$id"; return 0; fi
        if [ "$state" = gone ] && [ -z "$id" ]; then return 0; fi
        sleep 0.1
    done
    return 1
}
# Makes the window active and waits for it, so that keys typed reach it.
activate() {
    xdotool windowactivate --sync "$1" >/dev/null 2>&1 || true
    for _ in $(seq 50); do
        [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ] && return 0
        sleep 0.05
    done
}
# The client area's origin on the screen: the X window holds the menu above it. Its place is
# read from the pointer moved onto it, as a reparenting window manager shifts what the window's
# own geometry reports.
client_origin() {
    eval "$(xdotool getwindowgeometry --shell "$1")"
    xdotool mousemove --window "$1" --sync 0 $((HEIGHT - 300))
    eval "$(xdotool getmouselocation --shell)"
    origin_x=$X
    origin_y=$Y
}
# Clicks a panel's control at its place in twips (left, top, width, height inside the panel).
click_control() {
    local left=$1 top=$2 width=$3 height=$4
    xdotool mousemove --sync $((origin_x + (120 + left + width / 2) / 15)) \
        $((origin_y + (840 + top + height / 2) / 15)) click 1
    sleep 0.2
}
# Answers the box captioned $1 with the key $2 after checking that it came.
answer_box() {
    local box
    box=$(wait_window "$1" 30) || fail "no box captioned $1"
    activate "$box"
    xdotool key "$2"
    wait_window "$1" 10 gone || fail "the box $1 stayed open"
}
dos() { echo "Z:${1//\//\\}"; }
status_shot() {
    import -window root png:- | convert - -crop "477x20+$origin_x+$((origin_y + 280))" +repage "$1"
}

# Whether the status bar shows the progress bar's fill: pixels of the highlight blue that the
# idle bar never has.
blue_pixels() {
    convert "$1" -fx 'b > 0.6 && r < 0.4 && g < 0.7 ? 1 : 0' -format '%[fx:mean*w*h]' info:
}

mkdir -p "$work/data"
data=$work/data
head -c 300000 /dev/urandom >"$data/plain.bin"

# Carvel starts in split mode with its caption; -S chooses the source.
wine "$bin/carvel.exe" -S "$(dos "$data/plain.bin")" &
carvel=$(wait_window "Split File" 60) || fail "carvel.exe showed no window \"Split File\""
pass "carvel.exe starts with the caption \"Split File\""
activate "$carvel"
client_origin "$carvel"

# A split of 100 KB pieces: the size typed, Start clicked.
click_control 240 1440 1575 375
xdotool type --delay 20 "100"
click_control 5760 1680 735 615
answer_box Carvel Return
pieces="$data/Split Files of plain.bin"
[ -f "$pieces/JoinFiles.bat" ] || fail "the split left no JoinFiles.bat"
cat "$pieces"/plain.bin.{1,2,3} | cmp - "$data/plain.bin" || fail "the pieces do not make the source"
[ ! -e "$pieces/plain.bin.4" ] || fail "the split made a fourth piece"
pass "a split from the window gives the pieces of the source"

# Join mode from the menu by its keys; the pattern and the destination typed, Tab to Start and
# Return pressing it.
xdotool key alt+f j
wait_window "Join Files" 10 >/dev/null || fail "Alt+F, J did not switch to join mode"
xdotool type --delay 10 "$(dos "$pieces")\\plain.bin.?"
xdotool key Tab Tab
xdotool type --delay 10 "$(dos "$data")\\joined.bin"
xdotool key Tab Tab Return
answer_box Carvel Return
cmp "$data/joined.bin" "$data/plain.bin" || fail "the join did not give the source back"
pass "a join from the window gives the source back"

# Help opens the help file's window, and Exit closes it with the program.
xdotool key alt+f Right h
wait_window "Carvel Help" 30 >/dev/null || fail "Help opened no \"Carvel Help\" window"
# The help window takes the focus once it has loaded: Carvel gets it back before its keys.
for _ in 1 2 3; do
    help=$(wait_window Help 1) || break
    activate "$help"
    xdotool key alt+f e
    wait_window Help 5 gone && break
done
wait_window Help 1 gone || fail "Exit left Carvel's window open"
wait_window "Carvel Help" 10 gone || fail "the help window outlived Carvel"
pass "Help opens \"Carvel Help\"; Exit closes it and Carvel"

# A large split shows its progress in the status bar; Esc stops it and keeps no pieces.
truncate -s 1G "$data/large.bin"
start_carvel_on_large() {
    wine "$bin/carvel.exe" -S "$(dos "$data/large.bin")" &
    carvel=$(wait_window "Split File" 60) || fail "carvel.exe did not start again"
    activate "$carvel"
    client_origin "$carvel"
    click_control 240 1440 1575 375
    xdotool type --delay 20 "10"
    click_control $((2040 + 180 + 900)) $((1200 + 300)) 810 315
}
start_large_split() {
    click_control 5760 1680 735 615
    for _ in $(seq 100); do
        status_shot "$work/busy.png"
        [ "$(blue_pixels "$work/busy.png")" -gt 20 ] && return 0
        sleep 0.1
    done
    fail "no progress bar in the status bar while a split of 1 GB runs"
}
start_carvel_on_large
status_shot "$work/idle.png"
[ "$(blue_pixels "$work/idle.png")" -eq 0 ] || fail "the idle status bar shows a progress bar"
start_large_split
pass "the status bar shows the progress while a split runs"
xdotool key Escape
answer_box Carvel Return
[ ! -e "$data/Split Files of large.bin" ] || fail "a cancelled split kept its folder"
pass "Esc stops a split and keeps no pieces"

# Closing the window while a split runs asks first; Yes stops it and the program ends.
start_large_split
xdotool key alt+F4
answer_box Carvel y
wait_window "Split File" 30 gone || fail "Carvel's window stayed after Yes to the close question"
[ ! -e "$data/Split Files of large.bin" ] || fail "a split stopped by closing kept its folder"
pass "closing while a split runs asks, and Yes stops it and ends Carvel"

# Windows ending the session while a split runs: the split stops and takes its pieces away
# before the program ends.
start_carvel_on_large
start_large_split
wineboot -e >/dev/null 2>&1
wait_window "Split File" 30 gone || fail "Carvel outlived the end of the session"
[ ! -e "$data/Split Files of large.bin" ] || fail "a split stopped by the session's end kept its folder"
pass "the end of the session stops a split, which keeps no pieces"
rm -f "$data/large.bin"

# Seamer starts with its caption and the set of a piece named on its command line, here one
# beyond ASCII; the destination typed, Start clicked.
cp "$data/plain.bin" "$data/daten ü.bin"
(cd "$data" && split -b 100000 --numeric-suffixes=1 -a 1 "daten ü.bin" "daten ü.bin.")
wine "$bin/seamer.exe" "$(dos "$data/daten ü.bin.2")" &
seamer=$(wait_window "Join File" 60) || fail "seamer.exe showed no window \"Join File\""
pass "seamer.exe starts with the caption \"Join File\""
activate "$seamer"
client_origin "$seamer"
click_control 240 1440 2895 375
xdotool type --delay 10 "$(dos "$data")\\seamed.bin"
click_control 5760 1680 735 615
answer_box Seamer Return
cmp "$data/seamed.bin" "$data/plain.bin" || fail "Seamer's join did not give the source back"
pass "a join in Seamer of a set named beyond ASCII gives the source back"
activate "$seamer"
xdotool key alt+f e
wait_window "Join File" 10 gone || fail "Exit left Seamer's window open"
