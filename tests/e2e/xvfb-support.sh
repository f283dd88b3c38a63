# Shared by the end-to-end tests, the soak and the benchmarks: a private X server and the program.
# Source it; it sets XVFB_PID, DISPLAY and WORK, and cleans up on exit. Every wait below polls a
# condition with a bound (wait_for), never a fixed pause.

WORK=$(mktemp -d)
XVFB_PID=""
RENNOR_PID=""

cleanup() {
    [ -n "$RENNOR_PID" ] && kill "$RENNOR_PID" 2>/dev/null && wait "$RENNOR_PID" 2>/dev/null
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
    rm -rf "$WORK"
}
trap cleanup EXIT

# wait_for SECONDS COMMAND...: runs the command until it succeeds, for at most that long.
wait_for() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        [ $SECONDS -lt $deadline ] || return 1
        sleep 0.05
    done
}

# Starts Xvfb on a display number it picks itself (-displayfd: it binds the first free one and
# writes its number once it accepts connections), so two servers can never share one display;
# then waits until the server answers a client there. -noreset: by default the server resets
# when its last client leaves, and a program connecting during that reset is turned away.
x_answers() { xdpyinfo >/dev/null 2>&1; }
start_xvfb() {
    local n="" try
    for try in 1 2 3; do
        rm -f "$WORK/display"
        mkfifo "$WORK/display"
        Xvfb -displayfd 3 -noreset -screen 0 1024x768x24 -nolisten tcp 3>"$WORK/display" >"$WORK/xvfb.log" 2>&1 &
        XVFB_PID=$!
        read -r -t 60 n <"$WORK/display" # until Xvfb writes the number, or ends without one
        export DISPLAY=":$n"
        [ -n "$n" ] && wait_for 20 x_answers && return 0
        echo "Xvfb on '$DISPLAY' (try $try) does not answer: $(ls -l /tmp/.X11-unix 2>&1 | tr '\n' ' ')" >&2
        sed 's/^/Xvfb: /' "$WORK/xvfb.log" >&2
        kill "$XVFB_PID" 2>/dev/null
        wait "$XVFB_PID" 2>/dev/null
        XVFB_PID=""
    done
    return 1
}

# Starts the program with its own empty settings folder; RENNOR_PID is its process.
start_rennor() {
    local binary=$1
    export XDG_CONFIG_HOME="$WORK/config"
    mkdir -p "$XDG_CONFIG_HOME"
    QT_QPA_PLATFORM=xcb "$binary" >"$WORK/rennor.log" 2>&1 &
    RENNOR_PID=$!
}

# The id of the visible window titled exactly $1 (waiting up to $2 seconds, 20 by default), as
# long as the program runs.
window_titled() {
    xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1 | grep .
}
wait_window() {
    wait_for "${2:-20}" window_titled "$1" >/dev/null || return 1
    window_titled "$1"
}

# Ends a test: the reason, then what the program and the X server printed.
fail() {
    echo "FAIL: $*" >&2
    [ -f "$WORK/rennor.log" ] && sed 's/^/rennor: /' "$WORK/rennor.log" >&2
    [ -s "$WORK/xvfb.log" ] && sed "s/^/Xvfb $DISPLAY: /" "$WORK/xvfb.log" >&2
    exit 1
}

visible_windows() { xdotool search --onlyvisible --pid "$RENNOR_PID" 2>/dev/null | wc -l; }
windows_at_least() { [ "$(visible_windows)" -ge "$1" ]; }
program_ended() { ! kill -0 "$RENNOR_PID" 2>/dev/null; }

# Gives the keyboard focus to window $1 and waits until it has it.
has_focus() {
    xdotool windowfocus --sync "$1" 2>/dev/null
    [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]
}
focus() { wait_for 10 has_focus "$1"; }

# With the Game menu open: Exit, "&Yes" in its confirmation, and the program ends with status 0.
exit_through_confirmation() {
    local confirm status
    xdotool key x
    confirm=$(wait_window "Exit Confirmation:") || fail "Exit did not ask for confirmation"
    focus "$confirm"
    xdotool key Return
    wait_for 20 program_ended || fail "the program did not end after Yes"
    wait "$RENNOR_PID"
    status=$?
    RENNOR_PID=""
    [ "$status" -eq 0 ] || fail "exit status $status"
}
