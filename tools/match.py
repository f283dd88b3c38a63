#!/usr/bin/env python3
"""Plays two Gomoku brains against each other from a list of openings, each opening with both
colours, and prints a table of games, then of the score with the Elo difference and its 95%
interval; --sprt stops as soon as a sequential probability ratio test decides.

Each brain is any program that speaks the Gomoku brain protocol on its standard input and
output. Every answer is checked: a move that is not "x,y" on an empty square of the board, a
foul of black's under renju, an answer later than the time per move (and the tolerance, if
given), and a brain that ends or closes its output all lose the game on the spot (the brain is
then ended). Every stone is judged by rennor-judge, the game's own judge of the rules: five or
more in a row wins (rule 0), exactly five (rule 1), or renju (rule 4: black exactly five and no
double three, double four or overline, white five or more); a full board is a draw.

An answer is timed from the moment its question is sent: START, the INFO lines and an ABOUT that
follows them are answered before the first question, so a brain that prepares its tables during
setup is not charged for it. An answer later than the time per move, but within the tolerance,
is listed under its game with the time of day, to be set beside what else the machine was doing.
"""

import argparse
import math
import os
import selectors
import shlex
import signal
import subprocess
import sys
import time

START_TIME = 10.0  # seconds a brain may take to start and answer START
BLACK, WHITE = 1, 2
RULES = {0: "five or more", 1: "exactly five", 4: "renju"}


class Forfeit(Exception):
    def __init__(self, colour, reason):
        super().__init__(reason)
        self.colour = colour
        self.reason = reason


class Brain:
    """One brain process and its lines, read with a deadline."""

    def __init__(self, command, colour):
        self.colour = colour
        self.proc = subprocess.Popen(shlex.split(command), stdin=subprocess.PIPE,
                                     stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                     start_new_session=True)
        self.selector = selectors.DefaultSelector()
        self.selector.register(self.proc.stdout, selectors.EVENT_READ)
        self.buffer = b""
        self.told = None  # how many moves of the game the brain knows, once it has been asked
        self.arrived = 0.0

    def send(self, *lines):
        try:
            self.proc.stdin.write("".join(line + "\r\n" for line in lines).encode())
            self.proc.stdin.flush()
        except (BrokenPipeError, OSError):
            raise Forfeit(self.colour, "crashed (its input is closed)")

    def answer(self, deadline):
        """The next line that is not a message, or a forfeit when none comes by the deadline;
        self.arrived is when it was read."""
        while True:
            while b"\n" in self.buffer or b"\r" in self.buffer:
                cut = min(i for i in (self.buffer.find(b"\n"), self.buffer.find(b"\r")) if i >= 0)
                line = self.buffer[:cut].decode(errors="replace").strip()
                self.buffer = self.buffer[cut + 1:]
                word = line.split(" ", 1)[0].upper()
                if line and word not in ("MESSAGE", "DEBUG"):
                    return line
            left = deadline - time.monotonic()
            if left <= 0 or not self.selector.select(left):
                raise Forfeit(self.colour, "took too long")
            chunk = os.read(self.proc.stdout.fileno(), 65536)
            self.arrived = time.monotonic()
            if not chunk:
                raise Forfeit(self.colour, "crashed (its output ended)")
            self.buffer += chunk

    def close(self):
        try:
            self.proc.stdin.write(b"END\r\n")
            self.proc.stdin.close()
            self.proc.wait(timeout=1)
        except (OSError, subprocess.TimeoutExpired):
            pass
        if self.proc.poll() is None:
            try:
                os.killpg(self.proc.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
            self.proc.wait()
        self.proc.stdout.close()
        self.selector.close()


class Judge:
    """rennor-judge for one game: every stone is placed through it, and its verdict is OK, WIN,
    FOUL and why, or ILLEGAL and why."""

    def __init__(self, path, size, rule):
        self.proc = subprocess.Popen([path], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                     text=True, bufsize=1)
        if self.ask(f"NEW {size} {rule}") != "OK":
            raise SystemExit(f"{path} refused a {size}x{size} game under rule {rule}")

    def ask(self, line):
        self.proc.stdin.write(line + "\n")
        self.proc.stdin.flush()
        return self.proc.stdout.readline().strip()

    def place(self, x, y, colour):
        return self.ask(f"{x},{y},{colour}")

    def close(self):
        self.proc.stdin.close()
        self.proc.wait()


def request(brain, moves, size):
    """Tells a brain what happened since it last moved, in the form the protocol has for it."""
    if brain.told is None:
        if not moves:
            brain.send("BEGIN")
        else:
            fields = [f"{x},{y},{1 if c == brain.colour else 2}" for x, y, c in moves]
            brain.send("BOARD", *fields, "DONE")
    else:
        x, y, _ = moves[-1]
        brain.send(f"TURN {x},{y}")
    brain.told = len(moves)


def play_move(brain, moves, board, size, limit, judge):
    started = time.monotonic()
    request(brain, moves, size)
    line = brain.answer(started + limit)
    elapsed = brain.arrived - started
    parts = line.split(",")
    if len(parts) != 2 or not all(p.strip().isdigit() for p in parts):
        raise Forfeit(brain.colour, f"answered {line!r}")
    x, y = int(parts[0]), int(parts[1])
    if not (0 <= x < size and 0 <= y < size) or (x, y) in board:
        raise Forfeit(brain.colour, f"played {x},{y}, which is {'taken' if (x, y) in board else 'off the board'}")
    board[(x, y)] = brain.colour
    moves.append((x, y, brain.colour))
    verdict = judge.place(x, y, brain.colour)
    if verdict.startswith("FOUL"):
        raise Forfeit(brain.colour, f"played {x},{y}, a foul: {verdict[5:]}")
    if verdict != "OK" and verdict != "WIN":
        raise Forfeit(brain.colour, f"played {x},{y}: {verdict}")
    return elapsed, verdict == "WIN"


def start(brain, size, turn_ms, rule):
    brain.send(f"START {size}")
    line = brain.answer(time.monotonic() + START_TIME)
    if line.upper() != "OK":
        raise Forfeit(brain.colour, f"refused START {size}: {line!r}")
    brain.send(f"INFO timeout_turn {turn_ms}", "INFO timeout_match 0", "INFO max_memory 0",
               "INFO game_type 1", f"INFO rule {rule}", "ABOUT")
    # Lines come in order: the answer to ABOUT means the brain is through with its setup.
    deadline = time.monotonic() + START_TIME
    while "name=" not in brain.answer(deadline):
        pass


def play_game(commands, limits_ms, opening, size, tolerance_ms, rule, judge_path):
    """commands and limits_ms by colour; returns the winner's colour (0 for a draw), how the game
    ended, its moves, and by colour the slowest answer and the answers later than the time per
    move (but within the tolerance), each as its move number, milliseconds and clock time."""
    board, moves = {}, []
    judge = Judge(judge_path, size, rule)
    centre = size // 2
    for i, (dx, dy) in enumerate(opening):
        colour = BLACK if i % 2 == 0 else WHITE
        board[(centre + dx, centre + dy)] = colour
        moves.append((centre + dx, centre + dy, colour))
        judge.place(centre + dx, centre + dy, colour)
    brains, slowest, late = {}, {BLACK: 0.0, WHITE: 0.0}, {BLACK: [], WHITE: []}
    spent = {BLACK: [0.0, 0], WHITE: [0.0, 0]}  # seconds of answers, and their number
    try:
        for colour in (BLACK, WHITE):
            brains[colour] = Brain(commands[colour], colour)
            start(brains[colour], size, limits_ms[colour], rule)
        to_move = BLACK if len(moves) % 2 == 0 else WHITE
        while len(board) < size * size:
            limit = (limits_ms[to_move] + tolerance_ms) / 1000.0
            elapsed, won = play_move(brains[to_move], moves, board, size, limit, judge)
            slowest[to_move] = max(slowest[to_move], elapsed)
            spent[to_move][0] += elapsed
            spent[to_move][1] += 1
            if elapsed * 1000 > limits_ms[to_move]:
                late[to_move].append((len(moves), elapsed * 1000, time.strftime("%H:%M:%S")))
            if won:
                return to_move, "five", moves, (slowest, late, spent)
            to_move = WHITE if to_move == BLACK else BLACK
        return 0, "full board", moves, (slowest, late, spent)
    except Forfeit as f:
        return (WHITE if f.colour == BLACK else BLACK), f.reason, moves, (slowest, late, spent)
    finally:
        for brain in brains.values():
            brain.close()
        judge.close()


def elo(score):
    """The rating difference that expects this share of the points."""
    score = min(max(score, 1e-6), 1 - 1e-6)
    return -400 * math.log10(1 / score - 1)


def score_stats(points):
    """The mean and the variance of one game's points (1, 0.5 or 0) over the games played."""
    mean = sum(points) / len(points)
    return mean, sum((p - mean) ** 2 for p in points) / len(points)


def elo_interval(points):
    """The Elo difference and the half width of its 95% interval, from each game's points."""
    mean, variance = score_stats(points)
    margin = 1.959964 * math.sqrt(variance / len(points))
    return elo(mean), (elo(mean + margin) - elo(mean - margin)) / 2


def sprt(points, elo0, elo1, alpha=0.05, beta=0.05):
    """The log-likelihood ratio of elo1 against elo0 (normal approximation) and the verdict:
    "H1" above the upper bound, "H0" below the lower one, else None. A win, a draw and a loss
    more go into the mean and variance, so that a few games of one result decide nothing."""
    mean, variance = score_stats(points + [1, 0.5, 0])
    s0, s1 = (1 / (1 + 10 ** (-e / 400)) for e in (elo0, elo1))
    llr = len(points) * (s1 - s0) * (2 * mean - s0 - s1) / (2 * max(variance, 1e-9))
    upper, lower = math.log((1 - beta) / alpha), math.log(beta / (1 - alpha))
    return llr, "H1" if llr >= upper else "H0" if llr <= lower else None


def print_summary(points, score, spent, time_ms):
    """The score table: games, wins, losses, draws, points, Elo with its 95% interval (for A
    against B; none while one side has every point), and each brain's mean answer against its
    time per move."""
    print(f"\n{'':2}  {'games':>5}  {'won':>4}  {'lost':>4}  {'drawn':>5}  {'score':>6}  "
          f"{'Elo (95%)':>12}  {'mean answer':>11}  {'of the time':>11}")
    for name in ("A", "B"):
        w, l, d = score[name]
        games = w + l + d
        mine = points if name == "A" else [1 - p for p in points]
        mean_ms = 1000 * spent[name][0] / max(spent[name][1], 1)
        rating = "none" if w + d / 2 in (0, games) else "{:+.0f} ± {:.0f}".format(*elo_interval(mine))
        print(f"{name:2}  {games:>5}  {w:>4}  {l:>4}  {d:>5}  {100 * (w + d / 2) / max(games, 1):>5.1f}%  "
              f"{rating:>12}  {mean_ms:>8.0f} ms  {100 * mean_ms / time_ms[name]:>10.0f}%")


def read_openings(path):
    openings = []
    with open(path) as f:
        for line in f:
            line = line.split("#", 1)[0].strip()
            if line:
                openings.append([tuple(int(v) for v in square.split(",")) for square in line.split()])
    return openings


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("brain_a", help="command line of brain A")
    parser.add_argument("brain_b", help="command line of brain B")
    parser.add_argument("--size", type=int, default=19, help="board size, 15 to 22 (default 19)")
    parser.add_argument("--rule", type=int, default=0, choices=sorted(RULES),
                        help="0 five or more (default), 1 exactly five, 4 renju")
    parser.add_argument("--judge", help="rennor-judge to use (default: beside brain A if it "
                        "is rennor-brain, else build/src/app/rennor-judge)")
    parser.add_argument("--time", default="100",
                        help="milliseconds per move, for both or as A,B (default 100)")
    parser.add_argument("--tolerance", type=int, default=0,
                        help="milliseconds an answer may come after the time per move")
    parser.add_argument("--openings", default=os.path.join(here, "balanced-openings.txt"),
                        help="a file of openings (default: tools/balanced-openings.txt)")
    parser.add_argument("--count", type=int, help="play only the first COUNT openings")
    parser.add_argument("--games", help="write every game's moves to this file")
    parser.add_argument("--sprt", nargs=2, type=float, metavar=("ELO0", "ELO1"),
                        help="stop when a test (alpha = beta = 0.05) tells A's Elo over B as "
                        "ELO1 rather than ELO0, or the other way")
    args = parser.parse_args()

    judge = args.judge or os.path.join(os.path.dirname(shlex.split(args.brain_a)[0]),
                                       "rennor-judge")
    if not args.judge and not os.path.basename(shlex.split(args.brain_a)[0]).startswith("rennor-"):
        judge = os.path.join(here, "..", "build", "src", "app", "rennor-judge")
    if not os.access(judge, os.X_OK):
        parser.error(f"no judge at {judge}: build rennor-judge or give --judge")
    times = [int(t) for t in args.time.split(",")]
    time_a, time_b = times[0], times[-1]
    openings = read_openings(args.openings)[:args.count]
    score = {"A": [0, 0, 0], "B": [0, 0, 0]}  # wins, losses, draws
    slowest, late = {"A": 0.0, "B": 0.0}, {"A": 0, "B": 0}
    spent = {"A": [0.0, 0], "B": [0.0, 0]}
    points = []  # A's points in each game
    verdict = None
    log = open(args.games, "w") if args.games else None
    print(f"A: {args.brain_a} ({time_a} ms a move)\nB: {args.brain_b} ({time_b} ms a move)")
    print(f"{args.size}x{args.size}, {RULES[args.rule]} (rule {args.rule}), {len(openings)} "
          "openings, both colours\n")
    print(f"{'game':>4}  {'opening':>7}  {'black':5}  {'white':5}  {'result':7}  {'moves':>5}  how")
    game = fouls = illegal = 0
    for number, opening in enumerate(openings, 1):
        if verdict:
            break
        for black, white in (("A", "B"), ("B", "A")):
            game += 1
            commands = {BLACK: args.brain_a if black == "A" else args.brain_b,
                        WHITE: args.brain_a if white == "A" else args.brain_b}
            limits = {BLACK: time_a if black == "A" else time_b,
                      WHITE: time_a if white == "A" else time_b}
            winner, reason, moves, (slow, later, used) = play_game(commands, limits, opening, args.size,
                                                    args.tolerance, args.rule, judge)
            fouls += "a foul" in reason
            illegal += "taken" in reason or "off the board" in reason
            names = {BLACK: black, WHITE: white}
            for colour, name in names.items():
                slowest[name] = max(slowest[name], slow[colour])
                late[name] += len(later[colour])
                spent[name] = [a + b for a, b in zip(spent[name], used[colour])]
                won = winner == colour
                score[name][0 if won else 2 if winner == 0 else 1] += 1
            points.append(0.5 if winner == 0 else 1.0 if names[winner] == "A" else 0.0)
            result = "draw" if winner == 0 else f"{names[winner]} wins"
            print(f"{game:>4}  {number:>7}  {black:5}  {white:5}  {result:7}  {len(moves):>5}  "
                  f"{reason if winner == 0 or reason == 'five' else names[3 - winner] + ' ' + reason}",
                  flush=True)
            # Each late answer with its clock time, to be set beside what else the machine did.
            for colour, name in names.items():
                for ply, ms, clock in later[colour]:
                    print(f"      late: {name} at move {ply}, {ms:.0f} ms, at {clock}", flush=True)
            if log:
                log.write(f"{game} {black}-{white} {result}: " +
                          " ".join(f"{x},{y}" for x, y, _ in moves) + "\n")
                log.flush()
        if args.sprt:
            llr, verdict = sprt(points, *args.sprt)
            if verdict:
                print(f"SPRT: log-likelihood ratio {llr:.2f}, {verdict} "
                      f"({'A is ELO1 better' if verdict == 'H1' else 'A is not ELO1 better'})")
    print_summary(points, score, spent, {"A": time_a, "B": time_b})
    for name in ("A", "B"):
        w, l, d = score[name]
        print(f"\n{name}: {w} won, {l} lost, {d} drawn ({w + d / 2:g} of {game} points); "
              f"slowest answer {slowest[name] * 1000:.0f} ms, {late[name]} after the time per move",
              end="")
    print(f"\n\nfouls by black: {fouls}; moves on a taken square or off the board: {illegal}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
