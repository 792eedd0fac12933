#!/usr/bin/env bash
# Installs the build into a DESTDIR with the prefix /usr and checks the installation there.
# Usage: destdir-test.sh BUILD_DIR PROBE_LIBRARY
set -euo pipefail
here=$(dirname "$(realpath "$0")")
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
DESTDIR=$root cmake --install "$1" --prefix /usr >/dev/null
exec bash "$here/check-installed.sh" "$root/usr" "$2"
