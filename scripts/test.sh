#!/usr/bin/env bash
# Installs what is missing, builds with all cores and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/deps.sh
./scripts/checkformat.sh

BUILD_DIR=${BUILD_DIR:-build}
export LANG=C.UTF-8 LC_ALL=C.UTF-8
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
chmod 700 "$XDG_RUNTIME_DIR"

cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPHOTOSELECT_WERROR=ON >/dev/null
cmake --build "$BUILD_DIR" -j "$(nproc)"
cd "$BUILD_DIR"
ctest -j "$(nproc)" --output-on-failure
