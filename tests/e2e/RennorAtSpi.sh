#!/usr/bin/env bash
# Screen readers for real: the program under a private X server with its own session bus and
# accessibility bus, read through AT-SPI while real keys play (atspi-board.py reads and types),
# then left by the keyboard. Arguments: the program, the reader's scenario ("answer" or "game").
set -uo pipefail
binary=$1
scenario=$2
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "${RENNOR_OWN_BUS:-}" ]; then
    RENNOR_OWN_BUS=1 exec dbus-run-session -- "$0" "$@"
fi
. "$here/xvfb-support.sh"

ATSPI_PID=""
READER_PID=""
end_accessibility() {
    local pid
    [ -n "$READER_PID" ] && kill "$READER_PID" 2>/dev/null
    if [ -n "$ATSPI_PID" ]; then
        # The launcher's own bus daemon is its child; the registry ends with that bus.
        for pid in $(pgrep -P "$ATSPI_PID"); do kill "$pid" 2>/dev/null; done
        kill "$ATSPI_PID" 2>/dev/null && wait "$ATSPI_PID" 2>/dev/null
    fi
    cleanup
}
trap end_accessibility EXIT

start_xvfb || fail "no X server"
/usr/libexec/at-spi-bus-launcher --launch-immediately >"$WORK/atspi.log" 2>&1 &
ATSPI_PID=$!
# Wait for the launcher to own its name: asking the bus for it would start another one.
bus_named() {
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null | grep -q true
}
wait_for 30 bus_named || fail "the accessibility bus did not start"

# The reader listens before the program starts, so that no event is sent before anyone asks.
"$here/atspi-board.py" "$WORK/listening" "$scenario" &
READER_PID=$!
wait_for 60 test -e "$WORK/listening" || fail "the AT-SPI reader did not start"

export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
start_rennor "$binary"
window=$(wait_window Rennor) || fail "the main window did not appear"
xdotool windowfocus --sync "$window" 2>/dev/null || true
wait "$READER_PID"
status=$?
READER_PID=""
[ "$status" -eq 0 ] || fail "the reader failed ($status)"
xdotool windowfocus --sync "$window" 2>/dev/null || true
xdotool key --clearmodifiers alt+g
exit_through_confirmation
echo "PASS"
