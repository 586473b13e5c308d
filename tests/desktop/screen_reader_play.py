"""Plays ZUPEL the way a blind player does: knowing only what the game says through AT-SPI and
sending only keys.

Run inside a D-Bus session of its own (screen_reader_play.sh), with ZUPEL stored as the current
puzzle at 4 x 4. Reads the fresh board in full with the review keys before the first pick and
checks it three ways (rows, columns, the cells under the keyboard cursor, and the board's summary
line), then checks that the help window closes with Escape, that P pauses and resumes, that a key
held on the board repeats while one held into a window does not answer it, and finally plays to an
end of the game, planned from what was read, and holds Enter on that last pick."""

import re
import subprocess
import sys
import time

import pyatspi

from atspi_client import (check, wait_for, find_all, focus_board, game_application, showing, failures,
                          start_accessibility_bus)

GAME = sys.argv[1]






def keys(*names, delay=60):
    subprocess.run(["xdotool", "key", "--clearmodifiers", "--delay", str(delay), *names], check=True, timeout=30)



def window_named(app, name, role):
    found = find_all(app, lambda n: n.getRole() == role and n.name == name and showing(n))
    return found[0] if found else None


def clock_value(app):
    clock = find_all(app, lambda n: n.name in ("Time", "Zeit") and n.getRole() != pyatspi.ROLE_PUSH_BUTTON)[0]
    return clock.queryValue().currentValue


# ---- What the game says of ZUPEL's cells ----

EMPTY, EXPENSE = 0, -1


def content(word):
    return {"empty": EMPTY, "expense": EXPENSE}.get(word, None) if not word.isdigit() else int(word)


LINE = re.compile(r"^(Row|Column) (\w+)(, bar)?: (.*)\.$")


def parse_line(text):
    """'Row 2, bar: empty, current 3, expense, 2.' -> ('Row', 2, True, [0, 3, -1, 2], index of current)"""
    match = LINE.match(text)
    if not match:
        return None
    kind, name, bar, cells = match.groups()
    number = int(name) if kind == "Row" else ord(name) - ord("A") + 1
    values, current = [], None
    for i, word in enumerate(cells.split(", ")):
        if word.startswith("current "):
            current = i
            word = word[len("current "):]
        values.append(content(word))
    return kind, number, bool(bar), values, current


def cell_name(a, b):
    return chr(ord("A") + a - 1) + str(b)


def read_line(area, key, kind, number):
    keys(key)
    return wait_for(lambda: (lambda p: p if p and p[0] == kind and p[1] == number else None)(
        parse_line(area.description)), "%s %d read aloud" % (kind, number))


# ---- A plan to the end of the game, from the board as read ----

def plan_to_an_end(grid, current, row_bar, k, limit=200000):
    """Breadth-first over the picks until all digits are collected or the bar is empty; returns the
    cells to pick, or None. grid[(a, b)] is a cell's content."""
    start = (tuple(grid[(a, b)] for a in range(1, k + 1) for b in range(1, k + 1)), current, row_bar)
    seen = {start: None}
    queue = [start]
    head = 0
    while head < len(queue) and len(seen) < limit:
        state = queue[head]
        head += 1
        cells, (ca, cb), rows = state
        bar = [(a, cb) for a in range(1, k + 1)] if rows else [(ca, b) for b in range(1, k + 1)]
        for a, b in bar:
            value = cells[(a - 1) * k + b - 1]
            if (a, b) == (ca, cb) or value == EMPTY:
                continue
            after = list(cells)
            if value > 0:
                after[(a - 1) * k + b - 1] = value - 1
            nxt = (tuple(after), (a, b), not rows)
            if nxt in seen:
                continue
            seen[nxt] = (state, (a, b))
            new_bar = [(x, b) for x in range(1, k + 1)] if not rows else [(a, y) for y in range(1, k + 1)]
            solved = all(v <= 0 for v in after)
            dead = all(after[(x - 1) * k + y - 1] == EMPTY for x, y in new_bar if (x, y) != (a, b))
            if solved or dead:
                picks = []
                while seen[nxt] is not None:
                    nxt, cell = seen[nxt]
                    picks.append(cell)
                return list(reversed(picks))
            queue.append(nxt)
    return None


bus_launcher = start_accessibility_bus()
game = subprocess.Popen([GAME])
try:
    app = wait_for(game_application, "the game on the accessibility bus")
    area = wait_for(lambda: find_all(app, lambda n: n.name == "ZUPEL" and n.getRole() == pyatspi.ROLE_FILLER)[0],
                    "ZUPEL's drawing area")
    main = wait_for(lambda: window_named(app, "Frobny Office V1.3", pyatspi.ROLE_FRAME), "the main window as a frame")
    check(main is not None, "the main window is a window (frame), not a filler")

    time.sleep(3.2)  # the splash closes after three seconds
    focus_board(area)

    # P before the first move says why it does nothing.
    keys("p")
    said = wait_for(lambda: area.description.startswith("No pause") and area.description, "why there is no pause")
    check(said == "No pause: the puzzle is not in progress before the first move.", "P before a move: " + repr(said))

    # ---- (a) the whole board, read before the first pick ----
    keys("ctrl+Up")
    first = wait_for(lambda: parse_line(area.description), "a row read aloud")
    k = len(first[3])
    check(k == 4, "a row of the 4 x 4 board has 4 cells: " + repr(area.description))
    keys(*["ctrl+Up"] * k)
    rows = {1: wait_for(lambda: (lambda p: p if p and p[:2] == ("Row", 1) else None)(parse_line(area.description)),
                        "row 1")}
    for r in range(2, k + 1):
        rows[r] = read_line(area, "ctrl+Down", "Row", r)
    keys(*["ctrl+Left"] * k)
    columns = {1: wait_for(lambda: (lambda p: p if p and p[:2] == ("Column", 1) else None)(
        parse_line(area.description)), "column A")}
    for c in range(2, k + 1):
        columns[c] = read_line(area, "ctrl+Right", "Column", c)

    grid = {(a, b): rows[b][3][a - 1] for a in range(1, k + 1) for b in range(1, k + 1)}
    check(all(None not in line[3] and len(line[3]) == k for line in list(rows.values()) + list(columns.values())),
          "every line names each of its cells")
    check(all(columns[a][3][b - 1] == grid[(a, b)] for a in range(1, k + 1) for b in range(1, k + 1)),
          "every cell reads the same in its row and in its column")
    # A line gives the 0-based place of the current cell within it.
    current_rows = [(line[4] + 1, b) for b, line in rows.items() if line[4] is not None]
    current_columns = [(a, line[4] + 1) for a, line in columns.items() if line[4] is not None]
    check(len(current_rows) == 1 and current_rows == current_columns,
          "one current cell, the same in rows and columns: %r %r" % (current_rows, current_columns))
    current = current_rows[0]
    bars = [("Row", b) for b, line in rows.items() if line[2]] + [("Column", a) for a, line in columns.items() if line[2]]
    check(len(bars) == 1 and bars[0] in (("Row", current[1]), ("Column", current[0])),
          "one bar, through the current cell: " + repr(bars))
    row_bar = bars[0][0] == "Row"
    units = sum(v for v in grid.values() if v > 0)
    check(units == k * k, "the board holds k x k units: %d" % units)

    # The summary line says the same bar, current cell and units.
    keys("b")
    summary = wait_for(lambda: area.description.startswith("Bar:") and area.description, "the board's summary")
    bar_name = ("row %d" % current[1]) if row_bar else ("column " + chr(ord("A") + current[0] - 1))
    check(summary.startswith("Bar: %s, " % bar_name) and ("current cell %s." % cell_name(*current)) in summary
          and summary.endswith("%d units left." % units), "B reads the bar and the units: " + repr(summary))

    # The cells of the bar under the keyboard cursor say what the review said.
    back, forth = ("Left", "Right") if row_bar else ("Up", "Down")
    keys(*[back] * k)
    heard = {}
    for step in range(k):
        if step:
            keys(forth)
        position = step + 1
        cell = (position, current[1]) if row_bar else (current[0], position)
        text = wait_for(lambda: (", " + cell_name(*cell)) in area.description and area.description,
                        "the cursor on " + cell_name(*cell))
        heard[cell] = content(text.split(", ")[0])
    check(all(heard[cell] == grid[cell] for cell in heard), "the cursor's cells agree with the review: " + repr(heard))
    check(clock_value(app) == 0, "reading picked nothing: the clock stands at 0")

    # ---- (b) help, pause, held keys ----
    keys("F1")
    help_window = wait_for(lambda: window_named(app, "Frobny Office - Help", pyatspi.ROLE_FRAME), "the help window")
    check(help_window is not None, "the help window is a window (frame)")
    time.sleep(0.5)
    keys("Escape")
    wait_for(lambda: window_named(app, "Frobny Office - Help", pyatspi.ROLE_FRAME) is None, "the help to close")
    wait_for(lambda: area.getState().contains(pyatspi.STATE_FOCUSED), "the board's focus after the help")
    check(True, "Escape closes the help and the board has the keys again")

    plan = plan_to_an_end(grid, current, row_bar, k)
    check(plan is not None and len(plan) >= 1, "a way to an end of the game, planned from what was read")

    def pick(cell, hold=False):
        global row_bar, current
        back, forth = ("Left", "Right") if row_bar else ("Up", "Down")
        position = cell[0] if row_bar else cell[1]
        keys(*([back] * k + [forth] * (position - 1)))
        time.sleep(0.2)
        if hold:
            subprocess.run(["xdotool", "keydown", "Return"], check=True, timeout=10)
            return
        keys("space")
        said = wait_for(lambda: area.description.startswith(cell_name(*cell) + ":") and area.description,
                        "the pick of " + cell_name(*cell))
        # What the pick took comes from the game's own board: it agrees with what was read before.
        read = grid[cell]
        taken = "expense" if read == EXPENSE else "%d left" % (read - 1) if read > 1 else "empty"
        check(said.startswith("%s: %s" % (cell_name(*cell), taken)),
              "the pick of %s agrees with the reading %r: %r" % (cell_name(*cell), read, said))
        if read > 0:
            grid[cell] = read - 1
        row_bar, current = not row_bar, cell

    # A key held on the board repeats: the cursor runs to the end of the bar.
    keys(*[back] * k)
    subprocess.run(["xdotool", "keydown", forth], check=True, timeout=10)
    time.sleep(1.2)
    subprocess.run(["xdotool", "keyup", forth], check=True, timeout=10)
    end_cell = (k, current[1]) if row_bar else (current[0], k)
    wait_for(lambda: (", " + cell_name(*end_cell)) in area.description, "the held arrow to reach the end of the bar")
    check(True, "a held arrow repeats on the board")

    if len(plan) > 1:
        pick(plan[0])
        # P held down: it opens the pause window, and its repeats must not close it again.
        subprocess.run(["xdotool", "keydown", "p"], check=True, timeout=10)
        wait_for(lambda: window_named(app, "Game paused!", pyatspi.ROLE_DIALOG), "the pause window")
        time.sleep(1.2)
        subprocess.run(["xdotool", "keyup", "p"], check=True, timeout=10)
        time.sleep(0.3)
        check(window_named(app, "Game paused!", pyatspi.ROLE_DIALOG) is not None, "a held P does not resume")
        keys("p")
        wait_for(lambda: window_named(app, "Game paused!", pyatspi.ROLE_DIALOG) is None, "P to resume")
        said = wait_for(lambda: area.description.startswith("Resumed") and area.description, "the resume")
        check(said == "Resumed, the clock runs.", "P resumes: " + repr(said))
        for cell in plan[1:-1]:
            pick(cell)

    # Enter held on the last pick: the result window stays until a new press.
    results = ("Hurrah, you did it!", "Sorry, that was it!")
    pick(plan[-1], hold=True)
    try:
        result = wait_for(lambda: next((w for w in (window_named(app, r, pyatspi.ROLE_DIALOG) for r in results) if w),
                                       None), "the result window", seconds=40)
    except SystemExit:
        print("seen:", repr(area.description), [(d.name, d.getRoleName(), showing(d)) for d in find_all(app, lambda n: n.getRole() in (pyatspi.ROLE_DIALOG, pyatspi.ROLE_FRAME))], plan)
        raise
    time.sleep(1.2)
    subprocess.run(["xdotool", "keyup", "Return"], check=True, timeout=10)
    time.sleep(0.3)
    check(showing(result), "held Enter does not close the result window " + repr(result.name))
    end = area.description
    ending = re.search(r"(Solved!|No move left\.) Time: -?\d+\.$", end)
    check(ending is not None and len(end) > ending.end() - ending.start() + 5,
          "the end is said after what the last pick said: " + repr(end))
    # The count-down charges what the game's board still holds: the units of every cell as read.
    units = sum(max(v, 0) for v in grid.values()) - (1 if grid[plan[-1]] > 0 else 0)
    charged = re.search(r"(\d+) units? charged", end)
    check(("Solved!" in end and units == 0) or (charged is not None and int(charged.group(1)) == units),
          "the units charged are the units read: %d in %r" % (units, end))
    keys("Return")
    scores = wait_for(lambda: window_named(app, "Frobny Office - Highscore", pyatspi.ROLE_DIALOG),
                      "the high-score window")
    name = find_all(scores, lambda n: n.getRole() in (pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY) and showing(n))
    check(len(name) == 1 and name[0].name == "Your name", "the name field is named")
    check(len(name) == 1 and name[0].queryText().getText(0, -1) == "Mr. Brain", "the name field was not typed into")
    box = find_all(scores, lambda n: n.getRole() == pyatspi.ROLE_CHECK_BOX)
    check(len(box) == 1 and box[0].name == "remove all entries", "the check box is named")
    keys("Escape")
    wait_for(lambda: window_named(app, "Frobny Office - Highscore", pyatspi.ROLE_DIALOG) is None, "the list to close")

    keys("ctrl+q", "Return")
    game.wait(timeout=10)
    check(game.returncode == 0, "the game ended through its keys")
finally:
    subprocess.run(["xdotool", "keyup", "Return", "p"], stderr=subprocess.DEVNULL, timeout=10)
    if game.poll() is None:
        game.kill()
    bus_launcher.terminate()

if failures:
    print("FAILED:", len(failures))
    sys.exit(1)
print("PASS")
