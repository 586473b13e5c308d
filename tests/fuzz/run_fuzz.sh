#!/usr/bin/env bash
# Runs one libFuzzer program for a bounded time from the kept seeds and earlier finds.
#   run_fuzz.sh PROGRAM SECONDS WORK_DIR SEED_DIR...
# New inputs go to WORK_DIR/corpus, a crashing input to WORK_DIR/crash-*; a crash fails the test.
set -euo pipefail
program=$1 seconds=$2 work=$3
shift 3
# A folder of finds that has none yet is not in the repository.
seeds=()
for folder in "$@"; do
  [ -d "$folder" ] && seeds+=("$folder")
done
mkdir -p "$work/corpus"
export QT_QPA_PLATFORM=offscreen
# The settings files the targets write go to memory: every settings write ends in an fsync.
[ -w /dev/shm ] && export TMPDIR=/dev/shm
# Leaks are valgrind's job: the fuzzer would stop at the first of Qt's one-time allocations.
export ASAN_OPTIONS=detect_leaks=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
dictionary=$(dirname "$0")/$(basename "$work").dict
options=()
[ -f "$dictionary" ] && options+=(-dict="$dictionary")
exec "$program" "${options[@]}" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=4096 -max_len=4096 \
  -print_final_stats=1 -artifact_prefix="$work/" "$work/corpus" "${seeds[@]}"
