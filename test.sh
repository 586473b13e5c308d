#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite headless.
#   ./test.sh          Release build in build/
#   ./test.sh --asan   AddressSanitizer + UndefinedBehaviorSanitizer build in build-asan/
set -euo pipefail
cd "$(dirname "$0")"
tools/deps.sh

build_dir=build
options=(-DCMAKE_BUILD_TYPE=Release -DFROBNY_SANITIZE=OFF -DFROBNY_TESTS=ON -DFROBNY_BENCH=ON)
if [ "${1:-}" = "--asan" ]; then
  build_dir=build-asan
  options=(-DCMAKE_BUILD_TYPE=Debug -DFROBNY_SANITIZE=ON -DFROBNY_TESTS=ON -DFROBNY_BENCH=OFF)
  export ASAN_OPTIONS=detect_leaks=0
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
fi

export QT_QPA_PLATFORM=offscreen
cmake -S . -B "$build_dir" "${options[@]}" >/dev/null
cmake --build "$build_dir" -j"$(nproc)"
ctest --test-dir "$build_dir" --output-on-failure -j"$(nproc)"
