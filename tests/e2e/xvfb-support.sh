# Shared by the end-to-end tests, the soak and the benchmarks: a private X server and the program.
# Source it; it sets XVFB_PID, DISPLAY and WORK, and cleans up on exit.

WORK=$(mktemp -d)
XVFB_PID=""
RENNOR_PID=""

cleanup() {
    [ -n "$RENNOR_PID" ] && kill "$RENNOR_PID" 2>/dev/null && wait "$RENNOR_PID" 2>/dev/null
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
    rm -rf "$WORK"
}
trap cleanup EXIT

# Starts Xvfb on the first free display from 90 up and waits until it answers.
start_xvfb() {
    local n
    for n in $(seq 90 190); do
        if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
            Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >"$WORK/xvfb.log" 2>&1 &
            XVFB_PID=$!
            export DISPLAY=":$n"
            local i
            for i in $(seq 1 100); do
                if xdpyinfo >/dev/null 2>&1; then
                    return 0
                fi
                if ! kill -0 "$XVFB_PID" 2>/dev/null; then
                    break # lost the race for this display: try the next one
                fi
                sleep 0.05
            done
            kill "$XVFB_PID" 2>/dev/null
            wait "$XVFB_PID" 2>/dev/null
            XVFB_PID=""
        fi
    done
    echo "no free X display" >&2
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

# Prints the id of the visible top-level window titled exactly $1, waiting up to 20 s.
wait_window() {
    local title=$1 i id
    for i in $(seq 1 400); do
        id=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -n1)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.05
    done
    return 1
}

# Ends a test: the reason, then what the program printed.
fail() {
    echo "FAIL: $*" >&2
    [ -f "$WORK/rennor.log" ] && sed 's/^/rennor: /' "$WORK/rennor.log" >&2
    exit 1
}

visible_windows() { xdotool search --onlyvisible --pid "$RENNOR_PID" 2>/dev/null | wc -l; }

# With the Game menu open: Exit, "&Yes" in its confirmation, and the program ends with status 0.
exit_through_confirmation() {
    local confirm i status
    xdotool key x
    confirm=$(wait_window "Exit Confirmation:") || fail "Exit did not ask for confirmation"
    xdotool windowfocus --sync "$confirm" 2>/dev/null || true
    xdotool key Return
    for i in $(seq 1 200); do
        kill -0 "$RENNOR_PID" 2>/dev/null || break
        sleep 0.05
    done
    kill -0 "$RENNOR_PID" 2>/dev/null && fail "the program did not end after Yes"
    wait "$RENNOR_PID"
    status=$?
    RENNOR_PID=""
    [ "$status" -eq 0 ] || fail "exit status $status"
}
