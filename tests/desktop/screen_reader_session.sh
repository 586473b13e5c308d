# Sourced by the screen-reader tests: skips (77) when a tool is missing, starts the X session with
# its window manager, and gives the game a settings folder of its own.
#   run_screen_reader_client <client.py> <frobny-office> runs a client in its own D-Bus session.
set -euo pipefail
for tool in Xvfb openbox xprop dbus-run-session gdbus xdotool; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
[ -x /usr/libexec/at-spi-bus-launcher ] || { echo "SKIP: at-spi2-core is not installed"; exit 77; }
# Debian's python3-pyatspi belongs to the system's Python, whatever python3 the PATH finds first.
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "SKIP: python3-pyatspi is not installed"; exit 77; }

session_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# A window manager gives the focus back to the main window when a dialog closes, as on a desktop.
# shellcheck source=x_session.sh
source "$session_dir/x_session.sh"
work=$(mktemp -d)
trap 'stop_x_session; rm -rf "$work"' EXIT
X_SCREEN=1024x768x24 start_x_session "$work"

export XDG_CONFIG_HOME="$work/config"
export XDG_RUNTIME_DIR="$work/runtime"
settings_file="$XDG_CONFIG_HOME/FrobnyGames/FrobnyOffice/V1.ini"
mkdir -p "$(dirname "$settings_file")" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM QT_LINUX_ACCESSIBILITY_ALWAYS_ON

run_screen_reader_client() {
  dbus-run-session -- /usr/bin/python3 "$session_dir/$1" "$2" 2> >(grep -v -E 'dbus-daemon|fd limit|SpiRegistry' >&2)
}
