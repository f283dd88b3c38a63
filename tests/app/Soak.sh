#!/usr/bin/env bash
# Soak: the real program under a private X server plays many auto-play games in a row at speed 9
# with music and sound on against a PulseAudio null sink, then undo, redo, replay, save and load
# on the last one, then exits through its confirmation. Fails on a crash, on any window besides
# the expected ones (an error box), or when resident memory after the last game is more than
# 2 MB above what it was after the first quarter of the games.
# Usage: tests/app/Soak.sh [--no-memory-bound] [games] [program]
#   games defaults to 200; without a program, builds rennor into build/ or $RENNOR_BUILD_DIR.
#   --no-memory-bound skips the 2 MB bound, for sanitizer builds whose allocator keeps freed memory.
set -uo pipefail
memory_bound=1
if [ "${1:-}" = --no-memory-bound ]; then
    memory_bound=0
    shift
fi
games=${1:-200}
program=${2:-}
here=$(cd "$(dirname "$0")/../.." && pwd)
if [ -z "$program" ]; then
    build=${RENNOR_BUILD_DIR:-$here/build}
    "$here/scripts/install-deps"
    [ -f "$build/CMakeCache.txt" ] || cmake -S "$here" -B "$build" -G Ninja -DRENNOR_WERROR=ON >/dev/null
    cmake --build "$build" --target rennor >/dev/null || exit 1
    program=$build/src/app/rennor
fi

. "$here/tests/e2e/xvfb-support.sh"
. "$here/tests/app/null-sink.sh"
trap 'stop_null_sink; cleanup' EXIT

alive() { kill -0 "$RENNOR_PID" 2>/dev/null || fail "the program ended: $1"; }
resident_kb() { awk '/^VmRSS:/ { print $2 }' "/proc/$RENNOR_PID/status"; }

only_the_main_window() { [ "$(visible_windows)" -eq 1 ]; }

# Waits until only the main window is left; anything else still open is an unexpected box.
only_main_window() {
    wait_for 30 only_the_main_window && return 0
    alive "$1"
    local titles
    titles=$(xdotool search --onlyvisible --pid "$RENNOR_PID" 2>/dev/null |
        while read -r id; do xdotool getwindowname "$id"; done | tr '\n' '|')
    fail "a window besides the main window stayed open after $1: $titles"
}

key_to_main() {
    focus "$window"
    xdotool key --clearmodifiers "$@"
}

# Closes the game-over report that the last command ended with.
close_report() {
    local report
    report=$(wait_window "Game Over:" "$2") || { alive "$1"; fail "$1 did not end with the game-over report"; }
    focus "$report"
    xdotool key Escape
    only_main_window "$1"
}

# Types a file name into the open file dialog and accepts it; Return again while the dialog stays,
# as the first may only take the name's completion.
dialog_gone() { ! xdotool search --onlyvisible --pid "$RENNOR_PID" 2>/dev/null | grep -qx "$dialog"; }
answer_file_dialog() {
    local i
    wait_for 10 windows_at_least 2 || fail "$1 opened no file dialog"
    dialog=$(xdotool search --onlyvisible --pid "$RENNOR_PID" 2>/dev/null | grep -vx "$window" | head -n1)
    focus "$dialog" || fail "$1: the file dialog never took the keyboard"
    xdotool type --delay 5 "$2"
    for i in 1 2 3; do
        xdotool key Return
        wait_for 5 dialog_gone && return 0
    done
    fail "$1: the file dialog stayed open"
}

saved_file_written() { [ "$(stat -c %s "$saved" 2>/dev/null)" = 4368 ]; }

# Resident memory once it has settled (the soundfont loads in the background, more slowly on a
# busy machine): polled once a second until two readings lie within 64 kB, for 30 s at most.
settled_resident_kb() {
    local before after i
    after=$(resident_kb)
    for i in $(seq 1 30); do
        before=$after
        sleep 1
        after=$(resident_kb)
        [ $((after - before)) -le 64 ] && [ $((before - after)) -le 64 ] && break
    done
    echo "$after"
}

start_xvfb || fail "no X server"
start_null_sink || fail "no null sink"
start_rennor "$program"
window=$(wait_window Rennor 60) || fail "the main window did not appear"

# Memory is compared from a quarter of the way in: the first games still fill the font and sound
# caches (more than a megabyte between games 10 and 20 on a busy machine), while a leak of 14 kB a
# game over the remaining three quarters of 200 games still crosses the bound.
warm_game=$((games / 4 > 10 ? games / 4 : 10))
started=$SECONDS
for game in $(seq 1 "$games"); do
    key_to_main a
    if [ "$game" -eq 1 ]; then
        # The fresh game on the board is running, so Auto Play asks first.
        confirm=$(wait_window Confirm 10) || fail "Auto Play did not ask to cancel the fresh game"
        focus "$confirm"
        xdotool key y
    fi
    close_report "auto-play game $game" 120
    if [ "$game" -eq 10 ]; then
        # The soundfont loads in the background, more slowly on a busy machine; the memory to
        # compare with is that of the program with its music playing.
        wait_for 30 sink_playing || fail "nothing plays into the null sink: music is not on"
    fi
    [ "$game" -eq "$warm_game" ] && rss_warm=$(settled_resident_kb)
    if [ $((game % 20)) -eq 0 ]; then
        echo "game $game after $((SECONDS - started)) s: resident $(resident_kb) kB" >&2
    fi
done
rss_last=$(settled_resident_kb)

# Undo and redo stay disabled after auto play; pressing them must change nothing and open nothing.
key_to_main BackSpace
key_to_main alt+BackSpace
only_main_window "undo and redo"
echo "undo and redo after the last game: nothing opened" >&2
key_to_main r
close_report "the replay" 120
echo "replay of the last game: ended with its report" >&2
saved="$WORK/soak.rnr"
key_to_main s
answer_file_dialog "Save Game" "$saved"
only_main_window "the save"
# The dialog goes before the file is written: on a busy machine the file may follow a moment later.
wait_for 30 saved_file_written ||
    fail "the saved game is not a 4368-byte file; its folder holds: $(ls -m "$WORK")"
echo "save: a 4368-byte file" >&2
key_to_main l
answer_file_dialog "Load Game" "$saved"
close_report "loading the finished game" 30
echo "load: the finished game came back with its report" >&2

# The exit through its confirmation, with the music still playing.
key_to_main alt+g
wait_for 5 windows_at_least 2 || fail "Alt+G did not open the Game menu"
exit_through_confirmation

growth=$((rss_last - ${rss_warm:-$rss_last}))
echo "soak: $games games in $((SECONDS - started)) s; resident after game $warm_game: ${rss_warm:-(not reached)} kB, after game $games: $rss_last kB, growth $growth kB"
[ "$memory_bound" = 0 ] || [ "$growth" -le 2048 ] || fail "resident memory grew by $growth kB, more than 2 MB"
echo "PASS"
