"""Solves every puzzle as a blind player does: knowing only what the game says through AT-SPI
(the drawing area's description, the clock's value, the names of windows and fields) and sending
only keys.

Run inside a D-Bus session of its own (screen_reader_solve.sh), with every puzzle stored at its
lowest level. For each puzzle: switch to it, hear that the level cannot go lower, read the board
with the reading keys, plan a solve from the words alone, play it with the cursor keys, checking
every announcement against the plan, hear the solve, and close the solved message and the
high-score window (a name typed in) with keys. Any deal will do: a plan is made from what is read."""

import os
import re
import subprocess
import sys
import time
from collections import deque

import pyatspi

from atspi_client import (check, pump, wait_for, find_all, focus_board, game_application, showing, failures,
                          start_accessibility_bus)

GAME = sys.argv[1]
TITLES = ("PLIVA", "ZUPEL", "VEXOR", "HUXEL")
PLAYER = "Keys Only"


def send(*names):
    subprocess.run(["xdotool", "key", "--clearmodifiers", "--delay", "40", *names], check=True, timeout=20)


def gone(node):
    try:
        return not showing(node)
    except Exception:  # the window went away with it
        return True


def focused(node):
    return node.getState().contains(pyatspi.STATE_FOCUSED)


# Every change of the drawing area's description, as an event: a text said twice is two events.
heard = []


def on_description(event):
    try:
        if event.source.getRole() == pyatspi.ROLE_FILLER and event.source.name in TITLES:
            heard.append(event.type)
    except Exception:  # the object is gone
        pass


class Reader:
    """The drawing area as a screen reader hears it."""

    def __init__(self, app, area):
        self.app = app
        self.area = area
        self.keys = 0
        self.player = "Mr. Brain"  # the high-score window's name before any was entered

    def hear(self, keys, pattern, what, seconds=8.0):
        """Sends keys and waits until the drawing area says something new that matches pattern;
        returns the match."""
        pump()
        before = len(heard)
        send(*keys)
        self.keys += len(keys)
        last = ""
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            pump()
            if len(heard) > before:
                try:
                    last = self.area.description
                except Exception:  # the game is busy
                    continue
                found = re.search(pattern, last)
                if found:
                    return found
            time.sleep(0.02)
        raise SystemExit("FAIL: %s: after %s heard %r, not /%s/" % (what, " ".join(keys), last, pattern))

    def read_lines(self, kind):
        """Every row (kind "row") or column ("column") of the board with the review keys, first to
        last, each as the text after its name. The first key reads where the puzzle starts
        reading; Up goes on to the first line, Down then until the line's name stays the same."""
        up, down = ("ctrl+Up", "ctrl+Down") if kind == "row" else ("ctrl+Left", "ctrl+Right")
        line = r"(?i)^%s (\w+)\b[^:]*: (.*)$" % kind
        lines = {}
        number = None
        for _ in range(12):
            found = self.hear([up], line, "reading a %s" % kind)
            number = found.group(1)
            lines[number] = found.group(2)
            if number in ("1", "A"):
                break
        order = [number]
        for _ in range(12):
            found = self.hear([down], line, "reading the next %s" % kind)
            if found.group(1) == order[-1]:
                break
            order.append(found.group(1))
            lines[found.group(1)] = found.group(2)
        return [lines[n] for n in order]

    def clock(self):
        clock = find_all(self.app, lambda n: n.name == "Time" and n.getRole() != pyatspi.ROLE_PUSH_BUTTON)[0]
        return int(clock.queryValue().currentValue)


def solved_or_end(last):
    """What follows a press's own words: the solve after the last press, nothing after others."""
    return r" Solved! Time: -?\d+\.$" if last else "$"


def switch_to(reader, number, title):
    found = reader.hear(["ctrl+%d" % number], r"^%s\. (.*)$" % title, "switching to " + title)
    check(reader.area.name == title, "the drawing area is named %s" % title)
    return found.group(1)


def lowest_level(reader, title, second=False):
    keys = ["minus", "ctrl+minus"] if second else ["minus"]
    for key in keys:
        reader.hear([key], r"^Already the lowest level\.", title + ": lowering the level")
    check(True, "%s: already at the lowest level (%s)" % (title, ", ".join(keys)))


def close_result_windows(reader, title, solved_text):
    """The solved message, then the high-score window, both with Enter; a result that enters the
    list asks for a name first."""
    message = "Hurrah, you did it!"
    wait_for(lambda: [w for w in find_all(reader.app, lambda n: n.name == message and n.getRole() != pyatspi.ROLE_LABEL)
                      if showing(w)], "a window named %r" % message)
    ok = wait_for(lambda: [b for b in find_all(reader.app, lambda n: n.getRole() == pyatspi.ROLE_PUSH_BUTTON
                                              and n.description == message) if showing(b) and focused(b)],
                  "the focused OK button of %r" % message)[0]
    check(True, "%s: %r is shown with its OK button focused" % (title, message))
    send("Return")
    time_said = int(re.search(r"Solved! Time: (-?\d+)\.", solved_text).group(1))
    if time_said == 0:
        # A result of 0 enters nothing: the high scores are only shown.
        done = wait_for(lambda: [b for b in find_all(reader.app, lambda n: n.getRole() == pyatspi.ROLE_PUSH_BUTTON
                                                    and n.name == "OK" and n.parent.name == "Frobny Office - Highscore")
                                 if showing(b) and focused(b)], "the focused OK button of the high scores")[0]
        check(gone(ok), "%s: Enter closed the solved message" % title)
        check(True, "%s: a result of 0 only shows the high scores" % title)
        send("Return")
        wait_for(lambda: gone(done) and focused(reader.area), "the high scores to close and the board's focus")
    else:
        enter_name(reader, title, ok)
    check(True, "%s: the high-score window closed by Enter, the board has the focus again" % title)
    check(reader.clock() == time_said, "%s: the clock shows the announced time %d" % (title, time_said))


def enter_name(reader, title, ok):
    """The name field offers the name entered last; a new one is typed in, and Enter takes it."""
    field = wait_for(lambda: [f for f in find_all(reader.app, lambda n: n.name == "Your name")
                              if showing(f) and focused(f)], "the focused name field of the high scores")[0]
    check(gone(ok), "%s: Enter closed the solved message" % title)
    name = field.queryText().getText(0, -1)
    check(name == reader.player, "%s: the name field offers the last name %r: %r" % (title, reader.player, name))
    player = "%s %s" % (PLAYER, title)
    send("ctrl+a")
    subprocess.run(["xdotool", "type", "--delay", "20", player], check=True, timeout=20)
    wait_for(lambda: field.queryText().getText(0, -1) == player, "the typed name %r" % player)
    check(True, "%s: the name field holds the typed name" % title)
    reader.player = player
    send("Return")
    wait_for(lambda: gone(field) and focused(reader.area), "the high scores to close and the board's focus")


# ---- PLIVA: the curve rises strictly ----


PLIVA_BOARD = r"Heights ([-\d, ]+); top (\d+)\.$"


def read_pliva(reader, board):
    """Heights, the arrows of every column (arrows[j][k]: what column j adds to point k) and the
    chart's top; the first arrow key shows the cursor on column 1."""
    heights = [int(h) for h in board[0].split(", ")]
    n = len(heights)
    check(n == 4, "PLIVA: four heights at the lowest level: %r" % (heights,))
    arrows = []
    for column in range(1, n + 1):
        said = reader.hear(["Right"], r"^(\d+)(?:, (rising|flat|falling))?\. Column %d: ([-+\d, ]+)\.$" % column,
                           "PLIVA's column %d" % column)
        check(int(said.group(1)) == heights[column - 1], "PLIVA: column %d says the height B said" % column)
        arrows.append([int(a) for a in said.group(3).split(", ")])
        check(len(arrows[-1]) == n, "PLIVA: column %d has one arrow per point" % column)
    return heights, arrows, int(board[1])


def solve_pliva(reader):
    title = "PLIVA"
    board = reader.hear(["b"], "^" + PLIVA_BOARD, "PLIVA's board").groups()
    lowest_level(reader, title)
    # A rare deal cannot rise within the chart; a fresh deal asks nothing before its first move.
    for _ in range(5):
        heights, arrows, top = read_pliva(reader, board)
        plan = plan_pliva(heights, arrows, top)
        if plan is not None:
            break
        print("     PLIVA: this deal cannot rise within the chart; a new one", flush=True)
        board = reader.hear(["ctrl+n"], "^New puzzle. " + PLIVA_BOARD, "PLIVA: a new deal").groups()
    check(plan is not None, "PLIVA: a solve was planned from the words: %r" % (plan,))
    if plan is None:
        return
    n = len(heights)
    cursor = n
    for step, (column, sign) in enumerate(plan):
        if column != cursor:
            key = "Right" if column > cursor else "Left"
            reader.hear([key] * abs(column - cursor), r"Column %d:" % column, "PLIVA: to column %d" % column)
            cursor = column
        heights = [h + sign * a for h, a in zip(heights, arrows[column - 1])]
        last = step == len(plan) - 1
        moved = ["%d to %d" % (k + 1, heights[k]) for k in range(n) if arrows[column - 1][k] != 0]
        expected = "%s %s." % ("Point" if len(moved) == 1 else "Points", ", ".join(moved))
        said = reader.hear(["space" if sign > 0 else "shift+space"], "^" + re.escape(expected) + solved_or_end(last),
                           "PLIVA: a press on column %d" % column)
    check(True, "PLIVA: %d presses, each said the points it moved and their heights" % len(plan))
    close_result_windows(reader, title, said.string)


def plan_pliva(heights, arrows, top):
    """Presses (column, +1 or -1) that make the heights rise strictly, every point staying within
    0..top on the way: a breadth-first search over the heights."""
    start = tuple(heights)
    moves = [(column, sign) for column in range(1, len(heights) + 1) for sign in (1, -1)]
    came = {start: None}
    queue = deque([start])
    while queue:
        state = queue.popleft()
        if all(a < b for a, b in zip(state, state[1:])):
            path = []
            while came[state] is not None:
                state, move = came[state]
                path.append(move)
            return path[::-1]
        for column, sign in moves:
            after = tuple(h + sign * a for h, a in zip(state, arrows[column - 1]))
            if after not in came and all(0 <= h <= top for h in after):
                came[after] = (state, (column, sign))
                queue.append(after)
    return None


# ---- ZUPEL: every unit collected ----


def zupel_cell(word):
    word = word.strip()
    if word.startswith("current "):
        word = word[len("current "):]
    if word == "expense":
        return -1
    if word == "empty":
        return 0
    return int(word)


ZUPEL_BAR = (r"Bar: (row|column) (\w+), (left and right|up and down); current cell ([A-Z])(\d+)\. "
             r"(\d+) units left\.$")


def read_zupel(reader, bar):
    """The board row by row (grid[row][column], -1 an expense), checked against its columns and
    the bar's line."""
    rows = reader.read_lines("row")
    k = len(rows)
    check(k == 4, "ZUPEL: four rows at the lowest level")
    grid = [[zupel_cell(w) for w in row.rstrip(".").split(", ")] for row in rows]
    columns = reader.read_lines("column")
    check(all(zupel_cell(columns[a].rstrip(".").split(", ")[b]) == grid[b][a] for a in range(k) for b in range(k)),
          "ZUPEL: the columns say what the rows said")
    current = (ord(bar[3]) - ord("A"), int(bar[4]) - 1)  # (column, row) from 0
    check(sum(v for line in grid for v in line if v > 0) == int(bar[5]), "ZUPEL: the units left add up")
    check((bar[0] == "row") == (bar[2] == "left and right"), "ZUPEL: the bar's direction fits its kind")
    check(rows[current[1]].startswith("current ") or ", current " in rows[current[1]],
          "ZUPEL: the row of the current cell marks it")
    return grid, current, bar[0] == "row"


def solve_zupel(reader):
    title = "ZUPEL"
    summary = switch_to(reader, 2, title)
    check(re.search(ZUPEL_BAR, summary) is not None, "ZUPEL: the switch reads the bar: %r" % summary)
    lowest_level(reader, title)
    bar = reader.hear(["b"], "^" + ZUPEL_BAR, "ZUPEL's bar").groups()
    # Not every deal can be cleared; a fresh deal asks nothing before its first pick.
    for _ in range(12):
        grid, current, row_bar = read_zupel(reader, bar)
        plan = plan_zupel(grid, current, row_bar)
        if plan is not None:
            break
        print("     ZUPEL: this deal cannot be cleared; a new one", flush=True)
        bar = reader.hear(["ctrl+n"], "^New puzzle. " + ZUPEL_BAR, "ZUPEL: a new deal").groups()
    check(plan is not None, "ZUPEL: a pick order without a dead end was planned: %r" % (plan,))
    if plan is None:
        return
    # The first arrow key shows the cursor on the current cell and says which way the bar runs.
    said = reader.hear(["Right"], r", current cell; (row bar|column bar)", "ZUPEL: the cursor on the current cell")
    check((said.group(1) == "row bar") == row_bar, "ZUPEL: the current cell names the bar's direction")
    cursor = current
    for step, (a, b) in enumerate(plan):
        index_now, index_to = (cursor[0], a) if row_bar else (cursor[1], b)
        if index_to != index_now:
            key = ("Right" if row_bar else "Down") if index_to > index_now else ("Left" if row_bar else "Up")
            reader.hear([key] * abs(index_to - index_now), r", %s%d\b" % (chr(ord("A") + a), b + 1),
                        "ZUPEL: along the bar to %s%d" % (chr(ord("A") + a), b + 1))
        before = grid[b][a]
        if before > 0:
            grid[b][a] -= 1
        row_bar = not row_bar
        cursor = (a, b)
        name = "%s%d" % (chr(ord("A") + a), b + 1)
        if before < 0:
            what = "expense, 17 steps added"
        elif grid[b][a] > 0:
            what = "%d left" % grid[b][a]
        else:
            what = "empty"
        last = step == len(plan) - 1
        ending = r"\. All collected, 19 steps off\. Solved! Time: -?\d+\.$" if last else \
            ", %s\\.$" % ("row" if row_bar else "column")
        said = reader.hear(["space"], "^" + re.escape("%s: %s" % (name, what)) + ending, "ZUPEL: picking " + name)
    check(True, "ZUPEL: %d picks, each announced as planned, the last one solved it" % len(plan))
    close_result_windows(reader, title, said.string)


def plan_zupel(grid, current, row_bar, most=300000):
    """A pick order that collects every unit: a depth-first search over the boards, digits first,
    an expense only to turn the bar; a board seen once is not searched again."""
    k = len(grid)
    cells = tuple(v for line in grid for v in line)  # row by row

    def bar_cells(at, rows):
        a, b = at
        return [(x, b) for x in range(k)] if rows else [(a, y) for y in range(k)]

    seen = set()
    path = []

    def search(cells, at, rows):
        if len(seen) > most:
            return False
        if all(v <= 0 for v in cells):
            return True
        key = (cells, at, rows)
        if key in seen:
            return False
        seen.add(key)
        choices = [c for c in bar_cells(at, rows) if c != at and cells[c[1] * k + c[0]] != 0]
        choices.sort(key=lambda c: -cells[c[1] * k + c[0]])  # digits first, the largest first
        for a, b in choices:
            after = list(cells)
            if after[b * k + a] > 0:
                after[b * k + a] -= 1
            after = tuple(after)
            path.append((a, b))
            if search(after, (a, b), not rows):
                return True
            path.pop()
        return False

    sys.setrecursionlimit(10000)
    return list(path) if search(cells, current, row_bar) else None


# ---- VEXOR: every account at 100 ----


def solve_vexor(reader):
    title = "VEXOR"
    summary = switch_to(reader, 3, title)
    lowest_level(reader, title, second=True)
    totals = reader.hear(["b"], r"^Accounts ([-\d, ]+); goal (\d+)\.$", "VEXOR's totals").groups()
    check(summary == "Accounts %s; goal %s." % totals, "VEXOR: the switch reads the totals: %r" % summary)
    goal = int(totals[1])
    sums = [int(s) for s in totals[0].split(", ")]
    rows = {}
    pattern = r"^([-\d, ]+)\. Row (\d+) of (\d+), [^,]+, left\.$"
    said = reader.hear(["Right"], pattern, "VEXOR: the first arrow")
    count = int(said.group(3))
    rows[int(said.group(2))] = [int(v) for v in said.group(1).split(", ")]
    for row in range(int(said.group(2)) + 1, count + 1):
        said = reader.hear(["Up"], pattern.replace(r"(\d+) of", r"(%d) of" % row), "VEXOR: row %d" % row)
        rows[row] = [int(v) for v in said.group(1).split(", ")]
    check(sorted(rows) == list(range(1, count + 1)), "VEXOR: every row read, %d rows" % count)
    check([sum(col) for col in zip(*rows.values())] == sums, "VEXOR: the rows add up to the totals B said")
    bookings = [rows[r] for r in range(1, count + 1)]
    plan = plan_vexor(bookings, goal)
    check(plan is not None, "VEXOR: shifts planned: %r" % (plan,))
    if plan is None:
        return
    cursor = (count, "left")  # the rows were read from the bottom up
    for step, (row, side) in enumerate(plan):
        if (row, side) != cursor:
            keys = (["Up"] * (row - cursor[0]) if row > cursor[0] else ["Down"] * (cursor[0] - row))
            if side != cursor[1]:
                keys.append("Left" if side == "left" else "Right")
            reader.hear(keys, r"Row %d of \d+, [^,]+, %s\.$" % (row, side), "VEXOR: to row %d, %s" % (row, side))
            cursor = (row, side)
        old = bookings[row - 1]
        bookings[row - 1] = old[1:] + old[:1] if side == "left" else old[-1:] + old[:-1]
        before = sums
        sums = [sum(col) for col in zip(*bookings)]
        last = step == len(plan) - 1
        if all(s != b for s, b in zip(sums, before)):
            expected = "Accounts %s." % ", ".join(map(str, sums))
        else:
            changed = ["%d to %d" % (a + 1, s) for a, (s, b) in enumerate(zip(sums, before)) if s != b]
            expected = "Accounts %s." % ", ".join(changed) if changed else "No account changes."
        said = reader.hear(["space"], "^" + re.escape(expected) + solved_or_end(last), "VEXOR: a shift of row %d" % row)
    check(True, "VEXOR: %d shifts, each said the accounts it changed" % len(plan))
    check(all(s == goal for s in sums), "VEXOR: every account at %d" % goal)
    close_result_windows(reader, title, said.string)


def plan_vexor(bookings, goal):
    """Rotations of the rows (left shifts, 0..m-1 each) that bring every account to goal; the
    fewest presses, a rotation of r being r left presses or m - r right ones."""
    m = len(bookings[0])
    best = None

    def rotations(row):
        if row == len(bookings):
            yield []
            return
        for r in range(m):
            for rest in rotations(row + 1):
                yield [r] + rest

    for choice in rotations(0):
        totals = [sum(bookings[row][(a + r) % m] for row, r in enumerate(choice)) for a in range(m)]
        if all(t == goal for t in totals):
            presses = sum(min(r, m - r) for r in choice)
            if best is None or presses < best[0]:
                best = (presses, choice)
    if best is None:
        return None
    plan = []
    for row, r in enumerate(best[1], start=1):
        plan += [(row, "left")] * r if r <= m - r else [(row, "right")] * (m - r)
    return plan


# ---- HUXEL: both tables alike ----


def turned(cells, n, col, row, clockwise):
    """The table (row by row) after a turn of the block whose top-left cell is (col, row), from 0."""
    tl, tr, bl, br = row * n + col, row * n + col + 1, (row + 1) * n + col, (row + 1) * n + col + 1
    after = list(cells)
    if clockwise:
        after[tr], after[br], after[bl], after[tl] = cells[tl], cells[tr], cells[br], cells[bl]
    else:
        after[bl], after[br], after[tr], after[tl] = cells[tl], cells[bl], cells[br], cells[tr]
    return tuple(after)


def solve_huxel(reader):
    title = "HUXEL"
    summary = switch_to(reader, 4, title)
    lowest_level(reader, title)
    differ = reader.hear(["b"], r"^(\d+) of (\d+) cells still differ\.$", "HUXEL's summary").groups()
    check(summary.endswith("cells still differ."), "HUXEL: the switch says how many cells differ")
    n = int(round(int(differ[1]) ** 0.5))
    check(n == 3, "HUXEL: 3 x 3 at the lowest level")
    said = reader.hear(["Right"], r"; left, row 1, column 1$", "HUXEL: the cursor on the first block")
    rows = reader.read_lines("row")
    left, right = [], []
    for line in rows:
        found = re.match(r"^left (.+); right (.+)$", line)
        left += found.group(1).split(" ")
        right += found.group(2).split(" ")
    left, right = tuple(left), tuple(right)
    check(len(left) == n * n and sorted(left) == sorted(right), "HUXEL: both tables read, the same characters")
    check(sum(a != b for a, b in zip(left, right)) == int(differ[0]), "HUXEL: the rows agree with the summary")
    check(said.string.startswith("%s %s, %s %s" % (left[0], left[1], left[n], left[n + 1])),
          "HUXEL: the first block says its characters")
    plan = plan_huxel(left, right, n)
    check(plan is not None, "HUXEL: turns planned: %r" % (plan,))
    if plan is None:
        return
    cursor = (0, 0)  # (col, row) of the left table's block, from 0
    cells = left
    for step, (col, row, clockwise) in enumerate(plan):
        if (col, row) != cursor:
            keys = ["Down" if row > cursor[1] else "Up"] * abs(row - cursor[1])
            keys += ["Right" if col > cursor[0] else "Left"] * abs(col - cursor[0])
            reader.hear(keys, r"; left, row %d, column %d$" % (row + 1, col + 1),
                        "HUXEL: to block %d, %d" % (row + 1, col + 1))
            cursor = (col, row)
        cells = turned(cells, n, col, row, clockwise)
        block = "%s %s, %s %s" % (cells[row * n + col], cells[row * n + col + 1], cells[(row + 1) * n + col],
                                  cells[(row + 1) * n + col + 1])
        agree = sum(a == b for a, b in zip(cells, right))
        said = reader.hear(["shift+space" if clockwise else "space"],
                           "^" + re.escape("%s; %d of %d cells agree" % (block, agree, n * n)) +
                           solved_or_end(step == len(plan) - 1),
                           "HUXEL: a turn")
    check(cells == right, "HUXEL: %d turns, each announced as planned, the tables agree" % len(plan))
    close_result_windows(reader, title, said.string)


def plan_huxel(left, right, n):
    """Turns of the left table's blocks that make it the right table: a breadth-first search from
    both ends that meets in the middle."""
    moves = [(col, row, cw) for row in range(n - 1) for col in range(n - 1) for cw in (False, True)]
    ahead = {left: None}
    back = {right: None}
    front_a, front_b = [left], [right]

    def path_to(table, came):
        path = []
        while came[table] is not None:
            table, move = came[table]
            path.append(move)
        return path

    if left == right:
        return []
    while front_a and front_b:
        grow_ahead = len(front_a) <= len(front_b)
        front, came, other = (front_a, ahead, back) if grow_ahead else (front_b, back, ahead)
        later = []
        for table in front:
            for col, row, cw in moves:
                after = turned(table, n, col, row, cw)
                if after in came:
                    continue
                came[after] = (table, (col, row, cw))
                if after in other:
                    first = path_to(after, ahead)[::-1]
                    # The far half backwards: each turn undone by the opposite one.
                    second = [(c, r, not w) for c, r, w in path_to(after, back)]
                    return first + second
                later.append(after)
        if grow_ahead:
            front_a = later
        else:
            front_b = later
    return None


# ---- The run ----

started = time.monotonic()
bus_launcher = start_accessibility_bus()
pyatspi.Registry.registerEventListener(on_description, "object:property-change:accessible-description")
game = subprocess.Popen([GAME])
try:
    app = wait_for(game_application, "the game on the accessibility bus", 20)
    area = wait_for(lambda: find_all(app, lambda n: n.name == "PLIVA" and n.getRole() == pyatspi.ROLE_FILLER)[0],
                    "the drawing area")
    focus_board(area)
    reader = Reader(app, area)
    check(reader.clock() == 0, "the clock reads 0 before the first move")
    for solve in (solve_pliva, solve_zupel, solve_vexor, solve_huxel):
        begun = time.monotonic()
        keys_before = reader.keys
        solve(reader)
        print("     %s: %.1f s, %d keys" % (solve.__name__, time.monotonic() - begun, reader.keys - keys_before),
              flush=True)
    send("ctrl+q")
    wait_for(lambda: [b for b in find_all(app, lambda n: n.getRole() == pyatspi.ROLE_PUSH_BUTTON
                                          and n.description == "Do you really want to end the game?")
                      if showing(b) and focused(b)], "the end question")
    send("Return")
    game.wait(timeout=10)
    check(game.returncode == 0, "the game ended through its keys")
    # The last name typed was stored with the high scores.
    store = os.path.join(os.environ["XDG_CONFIG_HOME"], "FrobnyGames", "FrobnyOffice", "V1.ini")
    with open(store, encoding="utf-8") as settings:
        stored = re.findall(r"(?m)^player=(.*)$", settings.read())
    check(stored == [reader.player], "the high scores keep the last name typed: %r" % stored)
finally:
    if game.poll() is None:
        game.kill()
    bus_launcher.terminate()

print("     whole run: %.1f s" % (time.monotonic() - started))
if failures:
    print("FAILED:", len(failures))
    sys.exit(1)
print("PASS")
