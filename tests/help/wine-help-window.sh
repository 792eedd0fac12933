#!/usr/bin/env bash
# What Wine shows on an X display (an Xvfb of the script's own; needs WINEPREFIX, xvfb-run and
# xdotool): the tests of carvel_platform_tests that open real windows, then Carvel.chm opened by
# the help class over the real Windows services from a folder of spaces and letters beyond any
# code page, found as the "Carvel Help" window and closed again; and a missing help file, found
# as the class's "Orvane! Error" box. Wine has no Gecko here, so the topic itself is blank.
# Usage: wine-help-window.sh PLATFORM_TESTS.exe HELP_PROBE.exe Carvel.chm
set -euo pipefail
if [ -z "${CARVEL_WINE_DISPLAY:-}" ]; then
    # A Wine started earlier without a display would keep its windows off the screen. The
    # display's number is drawn at random, away from other builds' Xvfb.
    wineserver -w
    CARVEL_WINE_DISPLAY=1 exec xvfb-run -a -n $((200 + RANDOM % 700)) bash "$0" "$@"
fi
tests=$1 probe=$2 chm=$3
work=$(mktemp -d) && trap 'rm -rf "$work"' EXIT
fail() { echo "wine-help-window: $*" >&2; exit 1; }

wine "$tests" --gtest_filter='Win32OnScreen.*' 2>&1 | tee "$work/tests.log" | tr -d '\r' |
    grep -E '^\[ +(OK|FAILED|SKIPPED) +\]' || true
grep -q '\[  PASSED  \]' "$work/tests.log" && ! grep -q 'SKIPPED\|FAILED' "$work/tests.log" ||
    fail "the on-screen tests did not pass"

folder="$work/Hilfe Ünïcode Δ 帮助"
mkdir "$folder" && cp "$chm" "$folder/Carvel.chm"
windows=$(winepath -w "$folder")
# Runs the probe on a help file and waits up to 60 s for a window of the given caption.
shows() {
    rm -f "$work/stop"
    wine "$probe" "$1" "$(winepath -w "$work/stop")" &
    local pid=$! found=0
    timeout 60 xdotool search --sync --onlyvisible --name "^$2\$" >/dev/null && found=1
    touch "$work/stop"
    local status=0
    wait "$pid" || status=$?
    [ "$found" = 1 ] || fail "no window \"$2\" for $1"
    [ "$status" = 0 ] || fail "the probe ended with $status for $1 (3: help left open)"
}
shows "$windows\\Carvel.chm" "Carvel Help"
shows "$windows\\Missing.chm" "Orvane! Error"
wineserver -w
echo "wine-help-window: the help window and the missing file's message shown and closed"
