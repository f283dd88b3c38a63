#!/usr/bin/python3
# Reads the running program through AT-SPI as a screen reader would, while real keys play.
# Arguments: a file to create once listening, then "answer" (a move and the computer's answer) or
# "game" (a whole two-player game won by keyboard alone).
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

heard = []  # (kind, text), in the order told


def on_event(event):
    event.source.clear_cache()
    if event.type.startswith("object:state-changed:focused") and event.detail1 == 1:
        heard.append(("focus", event.source.get_name()))
    elif event.type.startswith("object:property-change:accessible-name"):
        name = event.source.get_name()
        if not name.startswith("Time elapsed"):  # the clock, every second
            heard.append(("name", name))


def wait_for(condition, what, seconds=20):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        while GLib.MainContext.default().iteration(False):
            pass
        value = condition()
        if value:
            return value
        time.sleep(0.02)
    sys.exit(f"FAIL: {what}; last heard {heard[-25:]}")


def find(node, role, name):
    """The first node of role whose name starts with name, not looking into tables."""
    node.clear_cache()
    if node.get_role() == role and (node.get_name() or "").startswith(name):
        return node
    if node.get_role() == Atspi.Role.TABLE:
        return None
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        found = child and find(child, role, name)
        if found:
            return found
    return None


def the_program():
    desktop = Atspi.get_desktop(0)
    apps = (desktop.get_child_at_index(i) for i in range(desktop.get_child_count()))
    return next((app for app in apps if app and app.get_name() == "Rennor"), None)


def key(*names):
    subprocess.run(["xdotool", "key", "--clearmodifiers", *names], check=True)


def has_keyboard(title):
    """Whether the window of that title has the X input focus, so that keys go to it."""
    focused = subprocess.run(["xdotool", "getwindowfocus", "getwindowname"],
                             capture_output=True, text=True)
    return focused.stdout.strip() == title


def give_back_focus():
    """What a window manager does when a dialog closes: the main window has the keyboard again."""
    subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Rennor$", "windowfocus"],
                   check=True)


def square(board, x, y):
    cell = Atspi.Table.get_accessible_at(board, y - 1, x - 1)
    cell.clear_cache()
    return cell.get_name()


def told(start, kind, text):
    return next((t for k, t in heard[start:] if k == kind and text in t), None)


def dialog(app, title):
    """The dialog of that title while it is on the screen."""
    found = find(app, Atspi.Role.DIALOG, title)
    return found if found and found.get_state_set().contains(Atspi.StateType.SHOWING) else None


def answer(app, board):
    """A move by Space, its announcement with the computer's answer, and the position read."""
    if square(board, 10, 11) != "10:11, empty":
        sys.exit(f"FAIL: square 10:11 reads {square(board, 10, 11)!r}")
    start = len(heard)
    key("Right")
    wait_for(lambda: told(start, "focus", "11:10, empty"), "Right was not told")
    start = len(heard)
    key("Left", "space")
    news = wait_for(lambda: told(start, "name", "10:10, white stone. black "), "no answer told")
    reply = news.split(". black ")[1]
    x, y = (int(v) for v in reply.split(":"))
    if square(board, x, y) != f"{reply}, black stone, last move":
        sys.exit(f"FAIL: the answer's square reads {square(board, x, y)!r}")
    print("Told, in order:", *(f"  {k}: {t}" for k, t in heard[start:]), sep="\n")
    print("The position through AT-SPI, columns 8 to 12 of rows 8 to 12:")
    for row in range(8, 13):
        print("  " + " | ".join(square(board, col, row) for col in range(8, 13)))
    for display in ("Moves done", "Coordinates", "Time elapsed", "Comments"):
        print("  " + find(app, Atspi.Role.LABEL, display).get_name())


def game(app, board):
    """Two players by the options dialog's keys, then white's five along row 10, all by keys."""
    start = len(heard)
    key("o")
    wait_for(lambda: told(start, "focus", "OK"), "O did not open the options")
    # Tab round to the page tabs, as a screen-reader user would, then the Players page's radios.
    for step in ["Tab"] * 8:
        start = len(heard)
        key(step)
        if wait_for(lambda: told(start, "focus", ""), f"{step} moved no focus") == "Preferences":
            break
    # No mnemonic here: its click comes a moment later, while the next keys are already typed.
    # Tab enters the radio group at its checked button; the arrow checks the other one.
    for step, kind, text in [("Right", "focus", "Players"), ("Tab", "focus", "Human vs Computer"),
                             ("Up", "name", "Player 2")]:
        start = len(heard)
        key(step)
        wait_for(lambda: told(start, kind, text), f"{step} did not bring {text}")
    start = len(heard)
    key("Return")
    wait_for(lambda: told(start, "focus", "Yes"), "the change of mode was not asked")
    wait_for(lambda: has_keyboard("Confirm"), "the question never had the keyboard")
    key("Return")
    wait_for(lambda: not dialog(app, "Confirm") and not dialog(app, "Options"), "dialogs stay")
    start = len(heard)
    give_back_focus()
    wait_for(lambda: told(start, "focus", "10:10, empty"), "the board did not take the focus back")
    plan = [([], "white", 10, 10)]
    for x in range(10, 14):
        plan += [(["Down"], "black", x, 11), (["Up", "Right"], "white", x + 1, 10)]
    start = len(heard)
    for keys, colour, x, y in plan:
        if dialog(app, "Game Over:"):
            sys.exit(f"FAIL: the game ended before {x}:{y}")
        key(*keys, "space")
        wait_for(lambda: square(board, x, y).startswith(f"{x:02}:{y:02}, {colour} stone"),
                 f"no {colour} stone on {x}:{y}")
    end = wait_for(lambda: told(start, "name", "game over"), "the end was not told")
    report = wait_for(lambda: dialog(app, "Game Over:"), "no game-over report")
    winner = find(report, Atspi.Role.LABEL, "Player")
    print(f"Told at the end: {end}\nThe report names: {winner and winner.get_name()}")
    if "Player 1 wins with white" not in end or not winner:
        sys.exit("FAIL: the wrong winner")
    key("Escape")
    wait_for(lambda: not dialog(app, "Game Over:"), "Escape left the report open")


def main():
    listener = Atspi.EventListener.new(on_event)
    listener.register("object:state-changed:focused")
    listener.register("object:property-change:accessible-name")
    open(sys.argv[1], "w").close()
    app = wait_for(the_program, "the program never showed on the desktop")
    board = wait_for(lambda: find(app, Atspi.Role.TABLE, "Board"), "no board in the tree")
    size = (Atspi.Table.get_n_rows(board), Atspi.Table.get_n_columns(board))
    if size != (19, 19):
        sys.exit(f"FAIL: the board is {size[0]} x {size[1]}")
    wait_for(lambda: told(0, "focus", "10:10, empty"), "the board never had the focus")
    {"answer": answer, "game": game}[sys.argv[2]](app, board)


if __name__ == "__main__":
    main()
