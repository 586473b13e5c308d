#!/usr/bin/env bash
# Starts the game on a Wayland compositor (weston, headless) and checks that its windows get
# drawn buffers: the program needs nothing of X11.
#   wayland_start.sh <frobny-office>
set -euo pipefail
game=$1
command -v weston >/dev/null || { echo "SKIP: weston is not installed"; exit 77; }
ls /usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so >/dev/null 2>&1 ||
  { echo "SKIP: Qt's Wayland platform plugin is not installed"; exit 77; }

work=$(mktemp -d)
chmod 700 "$work"
weston_pid=
cleanup() {
  [ -n "$weston_pid" ] && kill "$weston_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

export XDG_RUNTIME_DIR=$work
weston --backend=headless-backend.so --socket=wayland-test --idle-time=0 >"$work/weston.log" 2>&1 &
weston_pid=$!
for _ in $(seq 50); do
  [ -S "$work/wayland-test" ] && break
  sleep 0.1
done
[ -S "$work/wayland-test" ] || { cat "$work/weston.log"; echo "FAIL: weston did not start"; exit 1; }

mkdir -p "$work/config/FrobnyGames/FrobnyOffice"
printf '[common]\ntongue=0\n' >"$work/config/FrobnyGames/FrobnyOffice/V1.ini"
status=0
env -u DISPLAY QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=wayland-test WAYLAND_DEBUG=1 \
  XDG_CONFIG_HOME="$work/config" timeout 3 "$game" 2>"$work/client.log" || status=$?
[ "$status" -eq 124 ] || { tail -20 "$work/client.log"; echo "FAIL: the game ended with status $status"; exit 1; }
grep -q 'set_title("Frobny Office' "$work/client.log" || { echo "FAIL: no window was made"; exit 1; }
buffers=$(grep -c 'wl_surface@[0-9]*\.attach(wl_buffer' "$work/client.log" || true)
[ "$buffers" -ge 2 ] || { echo "FAIL: only $buffers drawn buffers reached the compositor"; exit 1; }
echo "PASS: the game draws its windows on Wayland ($buffers buffers)"
