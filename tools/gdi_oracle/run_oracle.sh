#!/usr/bin/env bash
# Regenerates tests/data/gdi/gdi_cases.txt (random shape cases) and gdi_ellipses.txt (every ellipse
# box size up to 24 x 24), drawn by the real GDI under Wine.
# Needs the mingw-w64 cross compiler and Wine; the normal build and tests need neither.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
data="$here/../../tests/data/gdi"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

x86_64-w64-mingw32-g++ -O2 -static -o "$work/gdi_oracle.exe" "$here/gdi_oracle.cpp" -lgdi32
# No window is opened, so Wine needs no display.
for set in cases ellipses; do
  python3 "$here/make_cases.py" $([ $set = ellipses ] && echo ellipses) > "$work/$set.txt"
  WINEDEBUG=-all DISPLAY= wine "$work/gdi_oracle.exe" < "$work/$set.txt" > "$data/gdi_$set.txt"
  echo "$(wc -l < "$data/gdi_$set.txt") cases in $data/gdi_$set.txt"
done
