#!/usr/bin/env bash
# End to end under a private X server with real input: a click answered by the computer, the
# options dialog and the Game menu opened by their keys, and the exit through its confirmation.
set -uo pipefail
binary=$1
here=$(cd "$(dirname "$0")" && pwd)
. "$here/xvfb-support.sh"

# The colour of one pixel of an image as "r,g,b".
pixel() {
    convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:
}

# The bounding box "w h x y" of the pixels of colour $2 in image $1 (optionally cropped by $3).
bbox() {
    local crop=${3:-}
    convert "$1" ${crop:+-crop "$crop" +repage} -fill black +opaque "$2" -fill white -opaque "$2" \
        -format "%@" info: | sed 's/[x+]/ /g'
}

shot() {
    import -window "$window" "$WORK/$1.png" 2>/dev/null
}

# The board: the grey (board colour) area in the left part of the window, cells every 20 pixels.
board_shown() {
    shot before && read -r bw bh bx by <<<"$(bbox "$WORK/before.png" "#808080" 390x480+0+0)" &&
        [ "${bw:-0}" -ge 370 ] && [ "${bh:-0}" -ge 370 ]
}
cell_centre() { echo $((bx + 20 * $1 + 8)) $((by + 20 * $2 + 8)); }

# The white stone on (5, 5) and the last-move square of the computer's black answer.
answered() {
    shot after && [ "$(pixel "$WORK/after.png" "$cx" "$cy")" = "0,255,255" ] &&
        read -r lw lh lx ly <<<"$(bbox "$WORK/after.png" "#00FF00" 390x480+0+0)" &&
        [ "${lw:-0}" -ge 15 ] && [ "${lw:-0}" -le 17 ] &&
        [ "$(pixel "$WORK/after.png" $((lx + lw / 2)) $((ly + lh / 2)))" = "0,0,0" ]
}

options_closed() { ! window_titled Options >/dev/null; }

start_xvfb || fail "no X server"
start_rennor "$binary"
window=$(wait_window Rennor) || fail "the main window did not appear"
focus "$window"
wait_for 20 board_shown || fail "no board found (box ${bw:-0} x ${bh:-0})"

# The human (white, first) plays the square (5, 5); the computer answers at once with black.
read -r cx cy <<<"$(cell_centre 4 4)"
xdotool mousemove --window "$window" "$cx" "$cy" click 1
wait_for 20 answered || fail "no white stone on (5, 5) with a black answer beside it"
echo "computer answered at $(((lx - bx) / 20 + 1)), $(((ly - by) / 20 + 1))"

# The key O opens the options dialog; Escape closes it.
focus "$window"
xdotool key --clearmodifiers o
options=$(wait_window Options) || fail "O did not open the options dialog"
focus "$options"
xdotool key Escape
wait_for 5 options_closed || fail "Escape left the options open"

# Alt+G opens the Game menu; x picks "E&xit", which asks for confirmation; Enter says Yes.
focus "$window"
[ "$(visible_windows)" -eq 1 ] || fail "a window besides the main window is open"
xdotool key --clearmodifiers alt+g
wait_for 5 windows_at_least 2 || fail "Alt+G did not open the Game menu"
exit_through_confirmation
echo "PASS"
