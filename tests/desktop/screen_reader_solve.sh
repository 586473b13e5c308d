#!/usr/bin/env bash
# Solves every puzzle at its lowest level as a blind player does: a screen-reader client reads
# the game through AT-SPI (its own D-Bus session and accessibility bus, the game under Xvfb) and
# answers with keys only.
#   screen_reader_solve.sh <frobny-office>
set -euo pipefail
game=$1
here=$(cd "$(dirname "$0")" && pwd)
for tool in Xvfb openbox xprop dbus-run-session gdbus xdotool; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
[ -x /usr/libexec/at-spi-bus-launcher ] || { echo "SKIP: at-spi2-core is not installed"; exit 77; }
# Debian's python3-pyatspi belongs to the system's Python, whatever python3 the PATH finds first.
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "SKIP: python3-pyatspi is not installed"; exit 77; }

# A window manager gives the focus back to the main window when a dialog closes, as on a desktop.
# shellcheck source=x_session.sh
source "$here/x_session.sh"
work=$(mktemp -d)
trap 'stop_x_session; rm -rf "$work"' EXIT
X_SCREEN=1024x768x24 start_x_session "$work"

export XDG_CONFIG_HOME="$work/config"
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$XDG_CONFIG_HOME/FrobnyGames/FrobnyOffice" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
# English, silent, PLIVA first, and every puzzle at its lowest level.
printf '[common]\ntongue=0\nsound=0\nmusic=0\nmode=0\n[pliva]\nmode=4\n[zupel]\nmode=4\n[vexor]\nmode=11\n[huxel]\nmode=3\n' \
  >"$XDG_CONFIG_HOME/FrobnyGames/FrobnyOffice/V1.ini"
unset QT_QPA_PLATFORM QT_LINUX_ACCESSIBILITY_ALWAYS_ON

dbus-run-session -- /usr/bin/python3 "$here/screen_reader_solve.py" "$game" 2> >(grep -v -E 'dbus-daemon|fd limit|SpiRegistry' >&2)
