#!/usr/bin/env bash
# Builds Carvel and starts it; arguments go to the program ("-S file" or "-J piece").
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j2
if [ -x build/bin/carvel ]; then
    exec build/bin/carvel "$@"
fi
exec build/bin/carvel-cli --help
