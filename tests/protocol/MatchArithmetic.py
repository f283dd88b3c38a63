# The match tool's arithmetic: Elo from a score, its 95% interval, and the SPRT's verdicts.
import sys

sys.path.insert(0, sys.argv[1])
import match  # noqa: E402

assert abs(match.elo(0.75) - 190.8) < 0.1 and match.elo(0.5) == 0
assert match.elo(1.0) > 2000 and match.elo(0.0) < -2000  # a clean sweep stays finite
rating, margin = match.elo_interval([1, 0] * 50)
assert rating == 0 and abs(margin - 69.0) < 0.1, margin
rating, margin = match.elo_interval([1, 1, 0.5, 0] * 25)
assert abs(rating - 88.7) < 0.1 and abs(margin - 61.0) < 0.1, (rating, margin)
assert match.sprt([1, 1, 0] * 30, 0, 50)[1] == "H1"
assert match.sprt([0.5] * 150 + [1, 0] * 20, 0, 50)[1] == "H0"
assert match.sprt([1, 0] * 5, 0, 50)[1] is None and match.sprt([1, 1], 0, 200)[1] is None
print("match arithmetic: ok")
