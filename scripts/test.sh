#!/usr/bin/env bash
# Builds everything with warnings as errors and runs the whole test suite, builds the Debian
# package and tries it installed, then builds the engine and carvel-cli again under
# AddressSanitizer and UndefinedBehaviorSanitizer and runs their tests, and last builds the
# Windows programs and their installer and tests them under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCARVEL_WERROR=ON >/dev/null
cmake --build build -j2
ctest --test-dir build --output-on-failure -j2
bash scripts/package-check.sh build

cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DCARVEL_WERROR=ON -DCARVEL_SANITIZE=ON \
      -DCARVEL_ENGINE_ONLY=ON >/dev/null
cmake --build build-sanitize -j2
ctest --test-dir build-sanitize --output-on-failure -j2

bash scripts/windows.sh build-windows
