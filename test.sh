#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test (window tests in a private X server).
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-deps.sh

jobs=$(nproc)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$jobs"

cd build
# Tests without a window run in parallel; the window tests share one X server.
ctest --output-on-failure -j "$jobs" -LE gl
export LIBGL_ALWAYS_SOFTWARE=1
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure -j "$jobs" -L gl
