#!/usr/bin/env bash
# Starts and closes the game several times under a real window manager (openbox on Xvfb) without
# touching its window, and checks that the stored "MainForm" place neither moves nor climbs.
#   window_place_openbox.sh <frobny-office>
set -euo pipefail
game=$1
for tool in Xvfb openbox xdotool xprop; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

# shellcheck source=x_session.sh
source "$(dirname "$0")/x_session.sh"
work=$(mktemp -d)
trap 'stop_x_session; rm -rf "$work"' EXIT
start_x_session "$work"

export XDG_CONFIG_HOME="$work/config"
ini="$XDG_CONFIG_HOME/FrobnyGames/FrobnyOffice/V1.ini"
mkdir -p "$(dirname "$ini")"
printf '[common]\ntongue=0\n' >"$ini"
unset QT_QPA_PLATFORM

stored_place() { sed -n 's/^MainForm="\?\([^"]*\)"\?$/\1/p' "$ini"; }

# One start: wait for the window, let it settle, close it through the window manager and answer
# the end-program question with Enter.
start_and_close() {
  "$game" >"$work/game.log" 2>&1 &
  local game_pid=$!
  local window
  window=$(xdotool search --sync --onlyvisible --name '^Frobny Office' | head -n 1)
  sleep 0.5
  for _ in 1 2 3; do
    xdotool windowactivate --sync "$window" >/dev/null 2>&1 || true
    xdotool key alt+F4
    sleep 0.5
    xdotool key Return
    for _ in $(seq 20); do
      kill -0 "$game_pid" 2>/dev/null || break
      sleep 0.1
    done
    kill -0 "$game_pid" 2>/dev/null || break
  done
  if kill -0 "$game_pid" 2>/dev/null; then
    kill "$game_pid"
    echo "FAIL: the game did not close"; cat "$work/game.log"; exit 1
  fi
  wait "$game_pid"
}

start_and_close
first=$(stored_place)
[ -n "$first" ] || { echo "FAIL: no MainForm stored after the first start"; cat "$ini"; exit 1; }
echo "first start (centred): $first"
IFS=, read -r _ _ _ left top right bottom <<<"$first"
centre_x=$(((left + right) / 2))
centre_y=$(((top + bottom) / 2))
if [ $((centre_x - 640)) -gt 1 ] || [ $((640 - centre_x)) -gt 1 ] ||
   [ $((centre_y - 512)) -gt 1 ] || [ $((512 - centre_y)) -gt 1 ]; then
  echo "FAIL: the first start's frame is not centred on the 1280 x 1024 screen: $first"
  exit 1
fi

for round in 2 3 4; do
  start_and_close
  now=$(stored_place)
  echo "start $round: $now"
  if [ "$now" != "$first" ]; then
    echo "FAIL: the stored place moved from $first to $now without the window being moved"
    exit 1
  fi
done

# A place stored by an earlier run is kept as well.
sed -i 's/^MainForm=.*/MainForm="200,0,1,120,309,628,709"/' "$ini"
for round in 1 2; do
  start_and_close
  now=$(stored_place)
  echo "stored 120,309, start $round: $now"
  case "$now" in
    200,0,1,120,309,*) ;;
    *) echo "FAIL: the stored corner 120,309 became $now"; exit 1 ;;
  esac
done
echo "PASS"
