#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite headless.
#   ./test.sh              Release build in build/
#   ./test.sh --asan       AddressSanitizer + UndefinedBehaviorSanitizer build in build-asan/
#   ./test.sh --memcheck   every test program under valgrind memcheck, build in build-memcheck/
#   ./test.sh --fuzz [S]   the fuzz targets (clang, libFuzzer) for S seconds each (60), build-fuzz/
set -euo pipefail
cd "$(dirname "$0")"

mode=${1:-}
build_dir=build
extra_packages=()
options=(-DCMAKE_BUILD_TYPE=Release -DFROBNY_SANITIZE=OFF -DFROBNY_TESTS=ON -DFROBNY_BENCH=ON)
ctest_options=()
case "$mode" in
  "") ;;
  --asan)
    build_dir=build-asan
    options=(-DCMAKE_BUILD_TYPE=Debug -DFROBNY_SANITIZE=ON -DFROBNY_TESTS=ON -DFROBNY_BENCH=OFF)
    export ASAN_OPTIONS=detect_leaks=0
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    ;;
  --memcheck)
    build_dir=build-memcheck
    extra_packages=(valgrind)
    options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DFROBNY_MEMCHECK=ON -DFROBNY_TESTS=ON -DFROBNY_BENCH=OFF)
    # The scripts that start the installed program, a window manager or a sound server test the
    # desktop around it, not its memory.
    # PCRE2's JIT code has no symbols and memcheck cannot follow it; Qt then uses the interpreter.
    export QT_ENABLE_REGEXP_JIT=0
    # The few tests that valgrind's arithmetic cannot pass skip themselves.
    export FROBNY_UNDER_VALGRIND=1
    ctest_options=(-E '^(DesktopWindowPlaceUnderOpenbox|DesktopStartsOnWayland|InstallTreeStartsHeadless|DebPackageUnpacksAndStarts|SoundThroughNullSink|SoundThroughPipeWire|ScreenReaderReadsTheGame|ScreenReaderPlaysZupel|ScreenReaderSolvesEveryPuzzle)$')
    ;;
  --fuzz)
    build_dir=build-fuzz
    extra_packages=(fuzz)
    export CC=clang CXX=clang++
    options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DFROBNY_FUZZ=ON -DFROBNY_TESTS=OFF -DFROBNY_BENCH=OFF
      -DFROBNY_FUZZ_SECONDS="${2:-60}")
    ;;
  *)
    echo "usage: ./test.sh [--asan | --memcheck | --fuzz [seconds]]" >&2
    exit 2
    ;;
esac
tools/deps.sh "${extra_packages[@]}"

export QT_QPA_PLATFORM=offscreen
cmake -S . -B "$build_dir" "${options[@]}" >/dev/null
cmake --build "$build_dir" -j"$(nproc)"
ctest --test-dir "$build_dir" --output-on-failure -j"$(nproc)" "${ctest_options[@]}"
