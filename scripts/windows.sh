#!/usr/bin/env bash
# Carvel for Windows, built here: cross-builds carvel.exe, seamer.exe, carvel-cli.exe and their
# tests with MinGW-w64 (the windows are native Win32 programs: Debian has no Qt for MinGW), runs
# the tests under Wine, drives the two windows under Wine on a virtual display, makes the
# installer and the zip (in BUILD/packages), then installs the installer silently under Wine,
# runs the installed program and uninstalls it.
# Usage: bash scripts/windows.sh [BUILD]   (default build-windows)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-windows}

# The programs' pictures are drawn by ui/Artwork.cpp with Qt, which the cross build lacks: this
# machine renders them first, and the cross build compiles them in as resources.
art=$(realpath -m "$build/art")
cmake -S packaging/windows/art -B "$art" -DCMAKE_BUILD_TYPE=Release -DCARVEL_WERROR=ON \
      >/dev/null
cmake --build "$art" -j2
cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
      -DCMAKE_BUILD_TYPE=Release -DCARVEL_WERROR=ON -DCARVEL_ENGINE_ONLY=OFF \
      -DCARVEL_WINDOWS_ARTWORK="$art/artwork" >/dev/null
cmake --build "$build" -j2
cmake --build "$build" --target carvel_installer

# Wine headless and quiet, in a prefix of this build's own, made once (its first start is slow).
export WINEDEBUG=-all WINEPREFIX="$PWD/$build/wineprefix" DISPLAY=
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >/dev/null 2>&1
    wineserver -w
fi
ctest --test-dir "$build" --output-on-failure -j2
wineserver -w
bash tests/win32/gui-test.sh "$build/bin" "$build"
bash tests/install/wine-install.sh "$build"/packages/carvel-*-setup-x64.exe
ls -l "$build"/packages/*.exe "$build"/packages/*.zip
