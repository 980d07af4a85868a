#!/usr/bin/env bash
# Install what is missing, build, and start the game.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build
if [ -x build/vantirelle ]; then
  exec build/vantirelle
fi
echo "The game window is not built yet; the board rules and their tests are."
