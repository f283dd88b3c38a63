#!/usr/bin/env bash
# Soak: the real program under a private X server plays many auto-play games in a row at speed 9
# with music and sound on against a PulseAudio null sink, then undo, redo, replay, save and load
# on the last one, then exits through its confirmation. Fails on a crash, on any window besides
# the expected ones (an error box), or when resident memory after the last game is more than
# 2 MB above what it was after game 10.
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

# The id of the visible window titled exactly $1, waiting up to $2 seconds.
wait_title() {
    local title=$1 deadline=$((SECONDS + $2)) id
    while [ $SECONDS -le $deadline ]; do
        id=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -n1)
        [ -n "$id" ] && echo "$id" && return 0
        kill -0 "$RENNOR_PID" 2>/dev/null || return 1
        sleep 0.05
    done
    return 1
}

# Waits until only the main window is left; anything else still open is an unexpected box.
only_main_window() {
    local i
    for i in $(seq 1 100); do
        [ "$(visible_windows)" -eq 1 ] && return 0
        sleep 0.05
    done
    alive "$1"
    local titles
    titles=$(xdotool search --onlyvisible --pid "$RENNOR_PID" 2>/dev/null |
        while read -r id; do xdotool getwindowname "$id"; done | tr '\n' '|')
    fail "a window besides the main window stayed open after $1: $titles"
}

key_to_main() {
    xdotool windowfocus --sync "$window" 2>/dev/null || true
    xdotool key --clearmodifiers "$@"
}

# Closes the game-over report that the last command ended with.
close_report() {
    local report
    report=$(wait_title "Game Over:" "$2") || { alive "$1"; fail "$1 did not end with the game-over report"; }
    xdotool windowfocus --sync "$report" 2>/dev/null || true
    xdotool key Escape
    only_main_window "$1"
}

# Types a file name into the open file dialog and accepts it.
answer_file_dialog() {
    local dialog i
    for i in $(seq 1 200); do
        [ "$(visible_windows)" -ge 2 ] && break
        sleep 0.05
    done
    dialog=$(xdotool search --onlyvisible --pid "$RENNOR_PID" 2>/dev/null | grep -vx "$window" | head -n1)
    [ -n "$dialog" ] || fail "$1 opened no file dialog"
    # Keys typed before the dialog holds the focus would be lost.
    for i in $(seq 1 100); do
        xdotool windowfocus --sync "$dialog" 2>/dev/null || true
        [ "$(xdotool getwindowfocus 2>/dev/null)" = "$dialog" ] && break
        sleep 0.05
    done
    sleep 0.2
    xdotool type --delay 5 "$2"
    sleep 0.2
    xdotool key Return
}

start_xvfb || fail "no X server"
start_null_sink || fail "no null sink"
start_rennor "$program"
window=$(wait_title Rennor 20) || fail "the main window did not appear"
sleep 0.5

started=$SECONDS
for game in $(seq 1 "$games"); do
    key_to_main a
    if [ "$game" -eq 1 ]; then
        # The fresh game on the board is running, so Auto Play asks first.
        confirm=$(wait_title Confirm 10) || fail "Auto Play did not ask to cancel the fresh game"
        xdotool windowfocus --sync "$confirm" 2>/dev/null || true
        xdotool key y
    fi
    close_report "auto-play game $game" 120
    if [ "$game" -eq 10 ]; then
        # The soundfont loads in the background, more slowly on a busy machine; the memory to
        # compare with is that of the program with its music playing.
        for i in $(seq 1 200); do
            sink_playing && break
            sleep 0.05
        done
        sink_playing || fail "nothing plays into the null sink: music is not on"
        sleep 0.5
        rss10=$(resident_kb)
    fi
    if [ $((game % 20)) -eq 0 ]; then
        echo "game $game after $((SECONDS - started)) s: resident $(resident_kb) kB" >&2
    fi
done
rss_last=$(resident_kb)

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
for i in $(seq 1 200); do
    [ "$(stat -c %s "$saved" 2>/dev/null)" = 4368 ] && break
    sleep 0.05
done
[ "$(stat -c %s "$saved" 2>/dev/null)" = 4368 ] ||
    fail "the saved game is not a 4368-byte file; its folder holds: $(ls -m "$WORK")"
echo "save: a 4368-byte file" >&2
key_to_main l
answer_file_dialog "Load Game" "$saved"
close_report "loading the finished game" 30
echo "load: the finished game came back with its report" >&2

# The exit through its confirmation, with the music still playing.
key_to_main alt+g
sleep 0.3
exit_through_confirmation

growth=$((rss_last - ${rss10:-$rss_last}))
echo "soak: $games games in $((SECONDS - started)) s; resident after game 10: $rss10 kB, after game $games: $rss_last kB, growth $growth kB"
[ "$memory_bound" = 0 ] || [ "$growth" -le 2048 ] || fail "resident memory grew by $growth kB, more than 2 MB"
echo "PASS"
