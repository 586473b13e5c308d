"""What a screen reader hears of the game, asked through AT-SPI as Orca asks.

Run inside a D-Bus session of its own (screen_reader.sh): starts the accessibility bus, switches
the desktop's screen-reader flag on the way Orca does, starts the game, and checks the toolbar's
names in both languages, the clock's value and the drawing area's text before and after a cursor
move and a press, all with keys only."""

import subprocess
import sys
import time

import pyatspi

GAME = sys.argv[1]
failures = []


def check(condition, what):
    print(("ok   " if condition else "FAIL ") + what)
    if not condition:
        failures.append(what)


def wait_for(probe, what, seconds=10.0):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        try:
            value = probe()
        except Exception:  # the tree is still being built
            value = None
        if value:
            return value
        time.sleep(0.1)
    raise SystemExit("FAIL: timed out waiting for " + what)


def find_all(node, keep, found=None, depth=0):
    found = [] if found is None else found
    if node is None or depth > 8:
        return found
    if keep(node):
        found.append(node)
    for child in node:
        find_all(child, keep, found, depth + 1)
    return found


def game_application():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "Frobny Office":
            return app
    return None


def key(*names):
    for name in names:
        subprocess.run(["xdotool", "key", "--clearmodifiers", name], check=True, timeout=10)
        time.sleep(0.3)


def buttons(app):
    roles = (pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_CHECK_BOX, pyatspi.ROLE_TOGGLE_BUTTON)
    return {b.name: b for b in find_all(app, lambda n: n.getRole() in roles)}


def drawing_area(app, title):
    return wait_for(lambda: find_all(app, lambda n: n.name == title and n.getRole() == pyatspi.ROLE_FILLER)[0],
                    "the drawing area " + title)


def clock_value(app):
    clock = find_all(app, lambda n: n.name in ("Time", "Zeit") and n.getRole() != pyatspi.ROLE_PUSH_BUTTON)[0]
    return clock.queryValue().currentValue


bus_launcher = subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
time.sleep(0.5)
# What Orca does when it starts: tells every toolkit that a screen reader listens.
for flag in ("IsEnabled", "ScreenReaderEnabled"):
    subprocess.run(["gdbus", "call", "--session", "--dest", "org.a11y.Bus", "--object-path", "/org/a11y/bus",
                    "--method", "org.freedesktop.DBus.Properties.Set", "org.a11y.Status", flag, "<true>"],
                   check=True, stdout=subprocess.DEVNULL)
game = subprocess.Popen([GAME])
try:
    app = wait_for(game_application, "the game on the accessibility bus")
    names = wait_for(lambda: len(buttons(app)) >= 16 and buttons(app), "16 toolbar buttons")
    for name in ("New puzzle", "Level up or down", "More or fewer colors", "Pause", "Sound effects", "Music",
                 "High scores", "End the game", "PLIVA", "ZUPEL", "VEXOR", "HUXEL", "Language", "Help",
                 "About Frobny Office", "Frobny Games on the web"):
        check(name in names, "English button name " + repr(name))
    check(names["New puzzle"].description == "I start again.", "the hint is the description")
    states = names["More or fewer colors"].getState()
    check(not states.contains(pyatspi.STATE_ENABLED), "the second level button reports disabled under PLIVA")
    check(names["PLIVA"].getState().contains(pyatspi.STATE_CHECKED), "PLIVA's button reports checked")

    time.sleep(3.5)  # the splash closes after three seconds
    window = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", "^Frobny Office"],
                            check=True, capture_output=True, text=True, timeout=20).stdout.split()[0]
    # The window manager gives the main window the focus; a busy machine may take its time.
    for _ in range(20):
        subprocess.run(["xdotool", "windowactivate", window], stderr=subprocess.DEVNULL, timeout=10)
        active = subprocess.run(["xdotool", "getactivewindow"], capture_output=True, text=True, timeout=10)
        if active.stdout.strip() == window:
            break
        time.sleep(0.3)

    area = drawing_area(app, "PLIVA")
    before = area.description
    check(before.startswith("The arrow keys choose a place"), "the drawing area explains its keys: " + repr(before))
    check(area.getState().contains(pyatspi.STATE_FOCUSED), "the drawing area has the keyboard focus")
    check(clock_value(app) == 0, "the clock reads 0 before the first move")
    key("Right")
    on_cursor = wait_for(lambda: area.description != before and area.description, "a text for the cursor")
    check(on_cursor.startswith("Column 1"), "after an arrow key it reads the cursor's place: " + repr(on_cursor))
    # A move that would push a point off the chart is refused: the next column is tried then.
    for column in range(1, 5):
        key("space")
        time.sleep(0.6)
        if clock_value(app) > 0:
            break
        key("Right")
    check(clock_value(app) > 0, "a press at the cursor made a move: the clock's value counts")
    pressed = area.description
    check(pressed.startswith("Column %d" % column), "after Space it reads the place anew: " + repr(pressed))

    key("l", "Tab", "Return")  # the language dialog opens on English; Tab reaches German
    german = wait_for(lambda: "Neues Rätsel" in buttons(app) and buttons(app), "German button names")
    for name in ("Neues Rätsel", "Stufe höher oder tiefer", "Pause", "Geräusche", "Musik", "Bestenliste",
                 "Spiel beenden", "Sprache", "Hilfe", "Über Frobny Office"):
        check(name in german, "German button name " + repr(name))
    check(german["Neues Rätsel"].description == "Ich fang neu an.", "the German hint is the description")
    check(area.description.startswith("Spalte 1"), "the cursor's place in German: " + repr(area.description))
    for _ in range(column, 5):  # past the fourth column lie the switches
        key("Right")
    switch = wait_for(lambda: area.description.startswith("Schalter") and area.description, "a switch's text")
    check("Kurve, jetzt rot:" in switch, "the curve's switch names its colour: " + repr(switch))

    key("ctrl+q", "Return")
    game.wait(timeout=10)
    check(game.returncode == 0, "the game ended through its keys")
finally:
    if game.poll() is None:
        game.kill()
    bus_launcher.terminate()

if failures:
    print("FAILED:", len(failures))
    sys.exit(1)
print("PASS")
