# Shared by the soak test and bench/report: a private PulseAudio server whose only output is a
# null sink, so the program plays its music and sounds for real with nobody to hear them. After
# tests/e2e/xvfb-support.sh is sourced (files go in its $WORK, waits use its wait_for),
# start_null_sink exports PULSE_SERVER, stop_null_sink ends the server by its PID.

PULSE_PID=""

pulse_answers() { pactl info >/dev/null 2>&1; }
pulse_answers_or_ended() { ! kill -0 "$PULSE_PID" 2>/dev/null || pulse_answers; }

start_null_sink() {
    local folder="$WORK/pulse"
    mkdir -p "$folder/runtime"
    # Its own home, runtime and state folders, and no session bus or display: away from any
    # other sound server of the machine.
    env -u DBUS_SESSION_BUS_ADDRESS -u DISPLAY -u PULSE_SERVER HOME="$folder" \
        XDG_RUNTIME_DIR="$folder" XDG_CONFIG_HOME="$folder/config" \
        PULSE_RUNTIME_PATH="$folder/runtime" PULSE_STATE_PATH="$folder/state" \
        pulseaudio --daemonize=no --exit-idle-time=-1 --system=false -n --disallow-exit \
        --use-pid-file=no --disable-shm=yes \
        --load="module-null-sink sink_name=rennor_null rate=44100 channels=2" \
        --load="module-native-protocol-unix auth-anonymous=1 socket=$folder/native" \
        >"$folder/log" 2>&1 &
    PULSE_PID=$!
    export PULSE_SERVER="unix:$folder/native" PULSE_COOKIE="$folder/cookie"
    export PULSE_CLIENTCONFIG="$folder/client.conf" # none: the defaults, not the user's
    wait_for 60 pulse_answers_or_ended && kill -0 "$PULSE_PID" 2>/dev/null && pulse_answers && return 0
    cat "$folder/log" >&2
    echo "the PulseAudio null sink did not start" >&2
    return 1
}

stop_null_sink() {
    [ -n "$PULSE_PID" ] && kill "$PULSE_PID" 2>/dev/null && wait "$PULSE_PID" 2>/dev/null
    PULSE_PID=""
}

# True while something is playing into the null sink.
sink_playing() {
    pactl list short sink-inputs 2>/dev/null | grep -q .
}
