#!/usr/bin/env bash
# Installs Carvel for Windows silently under Wine, runs the installed carvel-cli.exe (its
# version, a split and a join, from the PATH the installer set), uninstalls it and checks that
# nothing is left: no folder, no uninstall entry, no PATH entry. Needs WINEPREFIX set.
set -euo pipefail
installer=$1
work=$(mktemp -d) && trap 'rm -rf "$work"' EXIT
fail() { echo "wine-install: $*" >&2; exit 1; }
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Carvel'
envkey='HKLM\SYSTEM\CurrentControlSet\Control\Session Manager\Environment'

wine "$installer" /S && wineserver -w
dir=$(winepath -u 'C:\Program Files\Carvel')
[ -f "$dir/carvel-cli.exe" ] && [ -f "$dir/Carvel.chm" ] || fail "not installed in $dir"
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

wine "$dir/uninstall.exe" /S && wineserver -w
[ ! -e "$dir" ] || fail "$dir is left after uninstalling"
! wine reg query "$key" >/dev/null 2>&1 || fail "the uninstall entry is left"
! wine reg query "$envkey" /v Path | grep -qi 'Carvel' || fail "the PATH entry is left"
echo "wine-install: installed, ran, uninstalled, nothing left"
