#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR, checks the installed tree and its desktop metadata,
# and starts the installed program headless.
# Usage: install_tree.sh <build folder> <install prefix> <library folder relative to the prefix>
set -euo pipefail

build=$1
prefix=$2
libdir=$3
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
root=$stage/root$prefix

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

DESTDIR=$stage/root "${CMAKE:-cmake}" --install "$build" --prefix "$prefix" >"$stage/install.log" ||
  { cat "$stage/install.log" >&2; fail "cmake --install"; }

data=$root/share/frobny-office
expected=(
  bin/frobny-office
  "$libdir/frobny-office/frobny-office-effects.so"
  "$libdir/frobny-office/frobny-office-music.so"
  share/frobny-office/b1.bmp share/frobny-office/b2.bmp
  share/frobny-office/b3.bmp share/frobny-office/b4.bmp
  share/frobny-office/help1.html share/frobny-office/help2.html
  share/applications/frobny-office.desktop
  share/metainfo/example.frobnygames.FrobnyOffice.metainfo.xml
)
for file in "${expected[@]}"; do
  [ -f "$root/$file" ] || fail "missing $file"
done
[ -x "$root/bin/frobny-office" ] || fail "bin/frobny-office is not executable"
compgen -G "$data/*.mid" >/dev/null || fail "no music in share/frobny-office"

# Each icon must be a PNG of the edge length its folder promises.
for size in 16 24 32 48 64 128 256; do
  icon=$root/share/icons/hicolor/${size}x${size}/apps/frobny-office.png
  [ -f "$icon" ] || fail "missing icon $size"
  read -r width height < <(od -An -tu1 -j16 -N8 "$icon" |
    awk '{ print $1*16777216 + $2*65536 + $3*256 + $4, $5*16777216 + $6*65536 + $7*256 + $8 }')
  [ "$width" = "$size" ] && [ "$height" = "$size" ] || fail "icon $size is ${width}x${height}"
done

skipped=0
if command -v desktop-file-validate >/dev/null; then
  # Warnings count too: a menu may hide an entry that only draws one.
  report=$(desktop-file-validate "$root/share/applications/frobny-office.desktop") || fail "desktop entry: $report"
  ! grep -q 'warning:' <<<"$report" || fail "desktop entry: $report"
else
  echo "desktop-file-validate missing: desktop entry not validated"
  skipped=1
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$root/share/metainfo/example.frobnygames.FrobnyOffice.metainfo.xml" ||
    fail "AppStream metadata"
else
  echo "appstreamcli missing: AppStream metadata not validated"
  skipped=1
fi

# The installed program finds its data beside bin/ without help; it must still run after 3 s.
config=$stage/config
mkdir -p "$config/FrobnyGames/FrobnyOffice"
printf '[common]\ntongue=0\n' >"$config/FrobnyGames/FrobnyOffice/V1.ini"
status=0
env -u FROBNY_DATA_DIR QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$config" \
  timeout 3 "$root/bin/frobny-office" 2>"$stage/stderr" || status=$?
[ "$status" -eq 124 ] || fail "installed program ended early with status $status"
# The moved install finds its sound modules beside bin/ as well.
if grep -q "module cannot be loaded" "$stage/stderr"; then
  fail "the installed program did not find its sound modules: $(cat "$stage/stderr")"
fi

[ "$skipped" -eq 0 ] || exit 77
echo "installed tree complete; the installed program runs"
