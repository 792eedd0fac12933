#!/usr/bin/env bash
# Installs what building and testing Carvel needs from Debian's packages, and only what is
# missing, so a fresh machine needs nothing by hand. Run as root (or with sudo available).
# Wine gives the tests a real command interpreter to run the generated JoinFiles.bat, and dash
# and busybox the POSIX shells besides bash that run JoinFiles.sh; the validators, lintian and
# dpkg-dev check the installation and build the Debian package.
# MinGW-w64, GoogleTest's sources and NSIS build the Windows programs, their tests and installer;
# on Xvfb, xdotool finds the Windows windows by caption and drives them, openbox gives them the
# focus and ImageMagick photographs them.
set -euo pipefail

packages=(
    cmake g++ make pkg-config
    libgtest-dev libssl-dev
    qt6-base-dev qt6-base-dev-tools libgl-dev libx11-dev
    libchm-dev fp-utils
    xvfb xauth
    wine
    dash busybox
    g++-mingw-w64-x86-64-posix googletest nsis
    xdotool openbox imagemagick
    time coreutils
    qt6-svg-dev
    desktop-file-utils appstream lintian man-db dpkg-dev bash-completion file
)
if [ "${CARVEL_ENGINE_ONLY:-}" = 1 ]; then
    packages=(cmake g++ make libgtest-dev libssl-dev dash busybox time coreutils)
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
