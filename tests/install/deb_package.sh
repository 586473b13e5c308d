#!/usr/bin/env bash
# Builds the Debian package from a build tree, checks its control data, unpacks it into an empty
# root and starts the unpacked program headless.
#   deb_package.sh <build dir>
set -euo pipefail
build=$1
for tool in cpack dpkg-deb dpkg-shlibdeps; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

(cd "$build" && cpack -G DEB -B "$stage/out" >"$stage/cpack.log" 2>&1) || { cat "$stage/cpack.log"; fail "cpack failed"; }
package=$(find "$stage/out" -maxdepth 1 -name 'frobny-office_*.deb' | head -n 1)
[ -n "$package" ] || fail "no .deb was made"

depends=$(dpkg-deb -f "$package" Depends)
for needed in timgm6mb-soundfont fonts-liberation2 libqt6widgets6 libpulse0 libfluidsynth3; do
  case "$depends" in *"$needed"*) ;; *) fail "Depends lacks $needed: $depends" ;; esac
done
[ "$(dpkg-deb -f "$package" Section)" = games ] || fail "section is not games"

root=$stage/root
dpkg-deb -x "$package" "$root"
program=$(find "$root" -path '*/bin/frobny-office' -type f | head -n 1)
[ -x "$program" ] || fail "the package holds no program"

config=$stage/config
mkdir -p "$config/FrobnyGames/FrobnyOffice"
printf '[common]\ntongue=0\n' >"$config/FrobnyGames/FrobnyOffice/V1.ini"
status=0
QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$config" timeout 3 "$program" 2>"$stage/stderr" || status=$?
[ "$status" -eq 124 ] || { cat "$stage/stderr"; fail "the unpacked program ended early with status $status"; }
if grep -q "module cannot be loaded" "$stage/stderr"; then
  fail "the unpacked program did not find its sound modules"
fi
echo "package $(basename "$package") unpacks and starts"
