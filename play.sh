#!/usr/bin/env bash
# Installs what is missing, builds the game (Release) and starts it.
set -euo pipefail
cd "$(dirname "$0")"
tools/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build --target frobny-office -j"$(nproc)"
exec build/bin/frobny-office
