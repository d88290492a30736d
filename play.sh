#!/usr/bin/env bash
# Installs what is missing, builds the game and plays it in the built game folder
# (build/game); the game's exit status is this script's.
set -euo pipefail
cd "$(dirname "$0")"

if [ -z "${DISPLAY:-}" ]; then
  echo "play.sh: no display (DISPLAY is not set): the game needs a desktop session." >&2
  echo "Without one, run it in a virtual X server:" >&2
  echo '  xvfb-run -a -s "-screen 0 1024x768x24" ./play.sh' >&2
  exit 1
fi

./scripts/install-deps.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)" --target igra igra_game

cd build/game
exec ../src/igra
