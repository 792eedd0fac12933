#!/usr/bin/env bash
# Builds Carvel's Debian package from a build tree (default: build), checks it with lintian,
# installs it with apt-get, checks that it holds the desktop entries, icons, man pages, help file
# and completion, runs the installed programs with the build tree moved out of the way, and
# removes the package again. Fails at the first failure. Run as root (or with sudo available).
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
started=$SECONDS
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive

bash scripts/install-deps.sh
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build" -j2

rm -f "$build"/carvel_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
debs=("$build"/carvel_*_amd64.deb)
deb=${debs[0]}
[ -f "$deb" ] || { echo "no package carvel_*_amd64.deb was built"; exit 1; }
echo "== $deb: $(dpkg-deb -f "$deb" Version), depends on: $(dpkg-deb -f "$deb" Depends)"
[ "$(dpkg-deb -f "$deb" Recommends)" = xdg-utils ] ||
    { echo "the package does not recommend xdg-utils, which opens the user guide"; exit 1; }

echo "== lintian"
# Errors fail the check; warnings are shown.
lintian --fail-on error --tag-display-limit 0 "$deb"

echo "== install"
# Without what it recommends (xdg-utils): the check runs no browser, and removing the package
# afterwards leaves the machine as it was.
$sudo apt-get install -y -qq --no-install-recommends "$deb" >/dev/null
removePackage() { $sudo apt-get remove -y -qq carvel >/dev/null 2>&1 || true; }
trap removePackage EXIT

listed=$(dpkg -L carvel)
expected=(
    /usr/bin/carvel /usr/bin/seamer /usr/bin/carvel-cli
    /usr/share/carvel/Carvel.chm /usr/share/carvel/UserGuide.html
    /usr/share/applications/org.carvel.Carvel.desktop
    /usr/share/applications/org.carvel.Seamer.desktop
    /usr/share/metainfo/org.carvel.Carvel.metainfo.xml
    /usr/share/metainfo/org.carvel.Seamer.metainfo.xml
    /usr/share/man/man1/carvel.1.gz /usr/share/man/man1/seamer.1.gz
    /usr/share/man/man1/carvel-cli.1.gz
    /usr/share/bash-completion/completions/carvel-cli
    /usr/share/doc/carvel/copyright /usr/share/doc/carvel/changelog.gz
)
for id in org.carvel.Carvel org.carvel.Seamer; do
    expected+=("/usr/share/icons/hicolor/scalable/apps/$id.svg")
    for size in 16 32 48 64 128 256; do
        expected+=("/usr/share/icons/hicolor/${size}x$size/apps/$id.png")
    done
done
for path in "${expected[@]}"; do
    grep -qxF "$path" <<<"$listed" || { echo "dpkg -L carvel does not list $path"; exit 1; }
done
echo "dpkg -L carvel lists all ${#expected[@]} expected files"
man -w carvel-cli | grep -q '^/usr/share/man/man1/carvel-cli.1.gz$'

echo "== completion"
completions=$(bash -c '
    source /usr/share/bash-completion/bash_completion
    source /usr/share/bash-completion/completions/carvel-cli
    try() {
        COMP_WORDS=("$@") COMP_CWORD=$(($# - 1)) COMP_LINE="$*" COMP_POINT=${#COMP_LINE}
        COMPREPLY=()
        _carvel_cli
        echo "${COMPREPLY[*]}"
    }
    cd /usr/share/carvel
    try carvel-cli sp; try carvel-cli split Car; try carvel-cli --ver')
[ "$completions" = $'split\nCarvel.chm\n--version' ] ||
    { echo "carvel-cli completes to: $completions"; exit 1; }

echo "== the installed programs, with the build tree out of the way"
probeDir=$(mktemp -d)
cp "$build/tests/install/libcarvel_installed_probe.so" "$probeDir/"
cp tests/install/check-installed.sh "$probeDir/"
away="$build.moved-away.$$"
mv "$build" "$away"
putBack() {
    mv "$away" "$build"
    rm -rf "$probeDir"
    removePackage
}
trap putBack EXIT
(cd / && CARVEL_REQUIRE_TOOLS=1 bash "$probeDir/check-installed.sh" /usr \
    "$probeDir/libcarvel_installed_probe.so")
trap - EXIT
putBack

echo "== remove"
if dpkg -s carvel >/dev/null 2>&1 || [ -e /usr/bin/carvel ]; then
    echo "carvel is still installed"
    exit 1
fi
echo "package check passed in $((SECONDS - started)) s"
