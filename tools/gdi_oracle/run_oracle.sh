#!/usr/bin/env bash
# Regenerates tests/data/gdi/gdi_cases.txt: random shape cases drawn by the real GDI under Wine.
# Needs the mingw-w64 cross compiler and Wine; the normal build and tests need neither.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
data="$here/../../tests/data/gdi"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

x86_64-w64-mingw32-g++ -O2 -static -o "$work/gdi_oracle.exe" "$here/gdi_oracle.cpp" -lgdi32
python3 "$here/make_cases.py" "$@" > "$work/cases.txt"
# No window is opened, so Wine needs no display.
WINEDEBUG=-all DISPLAY= wine "$work/gdi_oracle.exe" < "$work/cases.txt" > "$data/gdi_cases.txt"
echo "$(wc -l < "$data/gdi_cases.txt") cases in $data/gdi_cases.txt"
