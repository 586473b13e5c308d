"""What a screen reader hears of the game, asked through AT-SPI as Orca asks.

Run inside a D-Bus session of its own (screen_reader.sh): starts the accessibility bus, switches
the desktop's screen-reader flag on the way Orca does, starts the game, and checks the toolbar's
names in both languages, the clock's value and the drawing area's text before and after a cursor
move and a press, all with keys only. A refused move said twice must reach the reader twice."""

import re
import subprocess
import sys
import time
from collections import namedtuple

import pyatspi

from atspi_client import (check, pump, wait_for, find_all, focus_board, game_application, failures,
                          start_accessibility_bus)

GAME = sys.argv[1]







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


# What the drawing area has been told to say, as events: a text said twice is two events.
description_events = []


def on_description(event):
    try:
        if event.source.name == "PLIVA" and event.source.getRole() == pyatspi.ROLE_FILLER:
            description_events.append(event.type)
    except Exception:  # the object is gone
        pass


Chart = namedtuple("Chart", "columns heights top arrows")


def column_of(text):
    """The column a text reads, or None when it reads no column."""
    found = re.search(r"\b(?:Column|Spalte) (\d+)\b", text or "")
    return int(found.group(1)) if found else None


def arrows_of(text):
    """A column's arrows: the signed numbers after its last colon, one per point."""
    return [int(a) for a in re.findall(r"[+-]?\d+", text.rsplit(":", 1)[-1])]


def board_of(text, columns):
    """The board as B reads it: the points' heights from the bottom, in order, then the top."""
    numbers = [int(n) for n in re.findall(r"\d+", text)]
    if len(numbers) != columns + 1:
        raise SystemExit("FAIL: cannot read %d heights and the top from %r" % (columns, text))
    return numbers[:columns], numbers[-1]


def plan_moves(chart, most_states=20000):
    """Moves that stay on the chart and leave the curve unsolved, ending where the next move is
    refused: (moves, refused move), a move being (column, +1 left press or -1 right press)."""
    n = chart.columns
    moves = [(column, sign) for column in range(1, n + 1) for sign in (1, -1)]

    def moved(heights, move):
        column, sign = move
        return tuple(h + sign * a for h, a in zip(heights, chart.arrows[column - 1]))

    def fits(heights, move):
        return all(0 <= h <= chart.top for h in moved(heights, move))

    def rises(heights):
        return all(a < b for a, b in zip(heights, heights[1:]))

    start = tuple(chart.heights)
    frontier, seen = [(start, [])], {start}
    while frontier and len(seen) < most_states:
        later = []
        for heights, path in frontier:
            for move in moves:
                after = moved(heights, move)
                if not fits(heights, move) or rises(after) or after in seen:
                    continue
                seen.add(after)
                refused = [m for m in moves if not fits(after, m)]
                if refused:
                    return path + [move], refused[0]
                later.append((after, path + [move]))
        frontier = later
    return None


class Cursor:
    """The keyboard cursor on PLIVA's columns, as a screen-reader user steers it."""

    def __init__(self, area):
        self.area = area
        self.column = None
        self.told = False

    def goto(self, column):
        if self.column == column:
            return self.area.description
        if self.column is None:
            key("Right")  # the first arrow key shows the cursor on the first column
            self.column = 1
        while self.column != column:
            key("Right" if column > self.column else "Left")
            self.column += 1 if column > self.column else -1
        return wait_for(lambda: column_of(self.area.description) == column and self.area.description,
                        "the text of column %d" % column)

    def listen(self, act):
        """Does act and returns what the drawing area says then; told: it reached the screen
        reader as an event of its own."""
        time.sleep(0.2)
        pump()
        before = len(description_events)
        act()
        deadline = time.monotonic() + 5
        while len(description_events) == before and time.monotonic() < deadline:
            pump()
            time.sleep(0.05)
        self.told = len(description_events) > before
        return self.area.description

    def board(self, columns):
        return board_of(self.listen(lambda: key("b")), columns)

    def read_chart(self):
        table = []
        column = 1
        while True:
            text = self.goto(column)
            table.append(arrows_of(text))
            if column == len(table[0]):
                break
            column += 1
        columns = len(table)
        if any(len(arrows) != columns for arrows in table):
            raise SystemExit("FAIL: cannot read the arrows of %d columns: %r" % (columns, table))
        heights, top = self.board(columns)
        # table[j][k]: what a press on column j adds to point k
        return Chart(columns, heights, top, table)

    def press(self, column, sign):
        self.goto(column)
        return self.listen(lambda: key("space" if sign > 0 else "shift+space"))


bus_launcher = start_accessibility_bus()
pyatspi.Registry.registerEventListener(on_description, "object:property-change:accessible-description")
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
    area = drawing_area(app, "PLIVA")
    focus_board(area)
    before = area.description
    check(before.startswith("The arrow keys choose a place"), "the drawing area explains its keys: " + repr(before))
    check(area.getState().contains(pyatspi.STATE_FOCUSED), "the drawing area has the keyboard focus")
    check(clock_value(app) == 0, "the clock reads 0 before the first move")
    key("Right")
    on_cursor = wait_for(lambda: area.description != before and area.description, "a text for the cursor")
    check(column_of(on_cursor) == 1, "after an arrow key it reads the cursor's place: " + repr(on_cursor))

    # The deal is random: the chart is read as a blind player reads it (the arrows under the
    # cursor, the heights with B), and the moves are chosen from it, so that none ends the game
    # and the last one is refused.
    cursor = Cursor(area)
    cursor.column = 1
    for _ in range(5):
        chart = cursor.read_chart()
        moves = plan_moves(chart)
        if moves:
            break
        key("ctrl+n")  # a fresh deal asks nothing; no good plan in this one
        cursor.column = None
    else:
        raise SystemExit("FAIL: five deals without a plan")
    path, refused = moves

    heights = list(chart.heights)
    for step, (column, sign) in enumerate(path):
        said = cursor.press(column, sign)
        check(cursor.told and said, "the move on column %d is told: %r" % (column, said))
        if step == 0:  # the clock counts from its next tick on
            check(wait_for(lambda: clock_value(app) > 0, "the clock to count"),
                  "a press at the cursor made a move: the clock's value counts")
        heights = [h + sign * a for h, a in zip(heights, chart.arrows[column - 1])]
    check(cursor.board(chart.columns) == (heights, chart.top),
          "the board reads the heights the moves were to give: %r" % heights)
    column, sign = refused
    refusal = cursor.press(column, sign)
    check(cursor.told and column_of(refusal) is None, "a refused move is announced: " + repr(refusal))
    again = cursor.press(column, sign)
    check(again == refusal, "the second refusal says the same: " + repr(again))
    check(cursor.told, "the second refusal reaches the screen reader as a new event")
    check(cursor.board(chart.columns) == (heights, chart.top), "a refused move leaves the heights alone")

    other = 2 if column == 1 else column - 1
    english = cursor.goto(other)  # the cursor's place again, not an announcement
    key("l", "Tab", "Return")  # the language dialog opens on English; Tab reaches German
    german = wait_for(lambda: "Neues Rätsel" in buttons(app) and buttons(app), "German button names")
    for name in ("Neues Rätsel", "Stufe höher oder tiefer", "Pause", "Geräusche", "Musik", "Bestenliste",
                 "Spiel beenden", "Sprache", "Hilfe", "Über Frobny Office"):
        check(name in german, "German button name " + repr(name))
    check(german["Neues Rätsel"].description == "Ich fang neu an.", "the German hint is the description")
    place = wait_for(lambda: area.description != english and area.description, "the place in German")
    check("Spalte %d" % other in place, "the cursor's place in German: " + repr(place))
    for _ in range(other, chart.columns + 1):  # past the last column lie the switches
        key("Right")
    switch = wait_for(lambda: column_of(area.description) is None and area.description, "a switch's text")
    check(switch != place, "a switch has a text of its own: " + repr(switch))

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
