"""What the screen-reader clients share: their checks, waits and walks of the accessibility tree,
and the start of the accessibility bus the way a screen reader starts it."""

import subprocess
import time

import pyatspi
from gi.repository import GLib

failures = []


def check(condition, what):
    print(("ok   " if condition else "FAIL ") + what, flush=True)
    if not condition:
        failures.append(what)


def pump():
    """Hands the events that have arrived to their listeners."""
    context = GLib.MainContext.default()
    while context.pending():
        context.iteration(False)


def wait_for(probe, what, seconds=10.0):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        pump()
        try:
            value = probe()
        except Exception:  # the tree is being built, a window went away, or the game is busy
            value = None
        if value:
            return value
        time.sleep(0.05)
    raise SystemExit("FAIL: timed out waiting for " + what)


def find_all(node, keep, found=None, depth=0):
    found = [] if found is None else found
    if node is None or depth > 8:
        return found
    try:
        if keep(node):
            found.append(node)
        children = list(node)
    except Exception:  # a window that went away while it was walked
        return found
    for child in children:
        find_all(child, keep, found, depth + 1)
    return found


def game_application():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "Frobny Office":
            return app
    return None


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def start_accessibility_bus():
    """Starts the bus and switches the desktop's screen-reader flag on, as Orca does when it starts,
    so every toolkit knows that a screen reader listens. Returns the bus launcher to end later."""
    launcher = subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
    time.sleep(0.5)
    for flag in ("IsEnabled", "ScreenReaderEnabled"):
        subprocess.run(["gdbus", "call", "--session", "--dest", "org.a11y.Bus", "--object-path", "/org/a11y/bus",
                        "--method", "org.freedesktop.DBus.Properties.Set", "org.a11y.Status", flag, "<true>"],
                       check=True, stdout=subprocess.DEVNULL)
    return launcher


def focus_board(area, seconds=20.0):
    """Activates the main window until its drawing area has the keyboard focus, as a player's click
    on the window would. Only the main window's title has the version in it: the splash and the
    dialogs are named "Frobny Office" too, and a slow machine may still show the splash."""
    window = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", "^Frobny Office V"],
                            check=True, capture_output=True, text=True, timeout=20).stdout.split()[0]

    def board_has_focus():
        subprocess.run(["xdotool", "windowactivate", window], stderr=subprocess.DEVNULL, timeout=10)
        time.sleep(0.2)
        return area.getState().contains(pyatspi.STATE_FOCUSED)

    wait_for(board_has_focus, "the keyboard focus on the board", seconds)
