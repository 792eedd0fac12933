#!/usr/bin/env bash
# Installs Carvel for Windows silently under Wine, runs the installed carvel-cli.exe (its
# version, a split and a join, from the PATH the installer set), starts the installed carvel.exe
# and seamer.exe, finds their windows by caption and closes them, uninstalls it and checks that
# nothing is left: no folder, no Start-menu shortcut, no uninstall entry, no PATH entry. Needs
# WINEPREFIX set; the windows come up on an Xvfb display of the script's own, with openbox to
# give them the focus, and are found with xdotool.
set -euo pipefail
installer=$1
if [ -z "${CARVEL_WINE_DISPLAY:-}" ]; then
    # A Wine started earlier without a display would keep the windows off the screen. The
    # display's number is drawn at random, away from other builds' Xvfb.
    wineserver -w
    CARVEL_WINE_DISPLAY=1 exec xvfb-run -a -n $((200 + RANDOM % 700)) \
        -s "-screen 0 1280x800x24" bash "$0" "$@"
fi
work=$(mktemp -d)
openbox >/dev/null 2>&1 &
manager=$!
trap 'kill "$manager" 2>/dev/null; rm -rf "$work"' EXIT
fail() { echo "wine-install: $*" >&2; exit 1; }
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Carvel'
envkey='HKLM\SYSTEM\CurrentControlSet\Control\Session Manager\Environment'

# The windows are expected where the build beside the installer made them (BUILD/packages,
# BUILD/bin); a build of the engine alone installs carvel-cli only.
windows=0
[ -f "$(dirname "$installer")/../bin/carvel.exe" ] && windows=1
files=(carvel-cli.exe Carvel.chm UserGuide.html)
[ $windows = 1 ] && files+=(carvel.exe seamer.exe)

wine "$installer" /S && wineserver -w
dir=$(winepath -u 'C:\Program Files\Carvel')
menu=$(winepath -u 'C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Carvel')
for file in "${files[@]}"; do
    [ -f "$dir/$file" ] || fail "$file not installed in $dir"
done
for link in Carvel Seamer "Carvel Help" "Carvel User Guide"; do
    [ $windows = 0 ] || [ -f "$menu/$link.lnk" ] || fail "no Start-menu shortcut $link in $menu"
done
wine reg query "$key" /v UninstallString >/dev/null || fail "no uninstall entry"
wine reg query "$envkey" /v Path | grep -qi 'Program Files\\Carvel' || fail "not on the PATH"

wine "$dir/carvel-cli.exe" --version | tr -d '\r' | grep -qx 'carvel-cli (Carvel) [0-9.]*' ||
    fail "--version"
head -c 2500000 /dev/urandom >"$work/data.bin"
printf '%s\r\n' '@echo off' 'carvel-cli split data.bin 1M' 'if errorlevel 1 exit /b 1' \
    'carvel-cli join "Split Files of data.bin\data.bin.1" back.bin' 'if errorlevel 1 exit /b 1' \
    >"$work/run.bat"
(cd "$work" && wine cmd /c run.bat) >/dev/null || fail "split and join through the PATH"
cmp "$work/data.bin" "$work/back.bin" || fail "the join differs"

# A program from the installed folder: its window comes up with its caption and Alt+F4 ends it.
opens() {
    wine "$dir/$1" &
    local pid=$! id
    id=$(timeout 60 xdotool search --sync --onlyvisible --name "^$2\$" | head -n 1) ||
        fail "no window \"$2\" from $1"
    xdotool windowactivate --sync "$id" key --clearmodifiers alt+F4 || fail "cannot close $1"
    for _ in $(seq 60); do kill -0 "$pid" 2>/dev/null && sleep 0.5; done
    kill -0 "$pid" 2>/dev/null && fail "$1 did not close on Alt+F4"
    wait "$pid" || fail "$1 ended with an error"
}
if [ $windows = 1 ]; then
    opens carvel.exe "Split File"
    opens seamer.exe "Join File"
fi

wine "$dir/uninstall.exe" /S && wineserver -w
[ ! -e "$dir" ] || fail "$dir is left after uninstalling"
[ ! -e "$menu" ] || fail "$menu is left after uninstalling"
! wine reg query "$key" >/dev/null 2>&1 || fail "the uninstall entry is left"
! wine reg query "$envkey" /v Path | grep -qi 'Carvel' || fail "the PATH entry is left"
ran="carvel-cli.exe"
[ $windows = 1 ] && ran="carvel-cli.exe, carvel.exe and seamer.exe"
echo "wine-install: installed, ran $ran, uninstalled, nothing left"
