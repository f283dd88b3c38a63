# Shared by the packaging tests: what an installed Rennor holds, and that it starts. Source it
# after parsing the expectations into PROGRAM, SOUNDS and ICONS (each 0 or 1).

APP_ID=com.veltrane.Rennor
ICON_SIZES="16 24 32 48 64 128 256"
SOUND_NAMES="Music.mid Tie.wav GameOvr1.wav GameOvr2.wav GameOvr3.wav GameOvr4.wav GameOvr5.wav
AILost1.wav AILost2.wav AILost3.wav AILost4.wav AILost5.wav AILost6.wav AILost7.wav AILost8.wav
AILost9.wav"

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

parse_expectations() {
    PROGRAM=0 SOUNDS=0 ICONS=0
    local arg
    for arg in "$@"; do
        case $arg in
        --program) PROGRAM=1 ;;
        --sounds) SOUNDS=1 ;;
        --icons) ICONS=1 ;;
        *) fail "unknown argument $arg" ;;
        esac
    done
}

# The files an install under a prefix must hold, relative to it, sorted.
expected_files() {
    {
        echo "share/applications/$APP_ID.desktop"
        echo "share/metainfo/$APP_ID.metainfo.xml"
        [ "$PROGRAM" = 1 ] && printf '%s\n' bin/rennor bin/rennor-brain
        if [ "$SOUNDS" = 1 ]; then
            for name in $SOUND_NAMES; do echo "share/rennor/Sounds/$name"; done
            echo "lib/rennor/rennor-audio.so"
        fi
        if [ "$ICONS" = 1 ]; then
            for size in $ICON_SIZES; do echo "share/icons/hicolor/${size}x$size/apps/$APP_ID.png"; done
        fi
    } | sort
}

# Width and height of a PNG file, read from its header.
png_size() {
    local w h
    w=$(od -An -tu1 -j16 -N4 "$1" | awk '{ print $1 * 16777216 + $2 * 65536 + $3 * 256 + $4 }')
    h=$(od -An -tu1 -j20 -N4 "$1" | awk '{ print $1 * 16777216 + $2 * 65536 + $3 * 256 + $4 }')
    echo "$w $h"
}

# Checks the tree under PREFIX: exactly the expected files, each of the right kind.
check_prefix() {
    local prefix=$1
    local actual expected
    actual=$(cd "$prefix" && find . -type f -o -type l | sed 's|^\./||' | sort)
    expected=$(expected_files)
    if [ "$actual" != "$expected" ]; then
        diff <(echo "$expected") <(echo "$actual") | sed 's/^/  /' >&2
        fail "the installed files differ from the expected ones (< expected, > installed)"
    fi
    desktop-file-validate "$prefix/share/applications/$APP_ID.desktop" ||
        fail "the desktop entry does not validate"
    appstreamcli validate --no-net "$prefix/share/metainfo/$APP_ID.metainfo.xml" ||
        fail "the metainfo file does not validate"
    if [ "$ICONS" = 1 ]; then
        for size in $ICON_SIZES; do
            local icon="$prefix/share/icons/hicolor/${size}x$size/apps/$APP_ID.png"
            [ "$(png_size "$icon")" = "$size $size" ] || fail "$icon is $(png_size "$icon"), not $size x $size"
        done
    fi
    if [ "$SOUNDS" = 1 ]; then
        head -c4 "$prefix/share/rennor/Sounds/Music.mid" | grep -q MThd || fail "Music.mid is not MIDI"
        head -c4 "$prefix/share/rennor/Sounds/Tie.wav" | grep -q RIFF || fail "Tie.wav is not a wave file"
    fi
    if [ "$PROGRAM" = 1 ]; then
        [ -x "$prefix/bin/rennor" ] || fail "bin/rennor is not executable"
        printf 'ABOUT\nEND\n' | timeout 10 "$prefix/bin/rennor-brain" | grep -q '^name="Rennor' ||
            fail "the installed bin/rennor-brain does not answer ABOUT"
    fi
}

# Starts the installed program on the offscreen platform with empty settings (music on by
# default) and checks that it stays up and reads its music from the installed data folder.
check_starts() {
    local prefix=$1 work=$2
    [ "$PROGRAM" = 1 ] || return 0
    mkdir -p "$work/config"
    # The shell writes its own id and then becomes the program, so the program is ended by its
    # id (strace, told to stop, would wait for it instead).
    XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=offscreen \
        strace -f -qq -e trace=openat -o "$work/opened" \
        sh -c 'echo $$ >"$1"; exec "$2"' sh "$work/program.pid" "$prefix/bin/rennor" \
        >"$work/rennor.log" 2>&1 &
    local tracer=$! i program=""
    for i in $(seq 1 100); do
        grep -q "share/rennor/Sounds/Music.mid" "$work/opened" 2>/dev/null && break
        kill -0 "$tracer" 2>/dev/null || break
        sleep 0.1
    done
    sleep 1
    program=$(cat "$work/program.pid" 2>/dev/null)
    if ! kill -0 "$tracer" 2>/dev/null || [ -z "$program" ]; then
        wait "$tracer"
        local status=$?
        cat "$work/rennor.log" >&2
        fail "the installed program ended by itself (status $status)"
    fi
    kill "$program"
    wait "$tracer" 2>/dev/null
    if [ "$SOUNDS" = 1 ]; then
        grep "Sounds/Music.mid" "$work/opened" | grep -q "share/rennor/Sounds/Music.mid\"" ||
            fail "the installed program did not read its music from share/rennor/Sounds"
        grep -q "lib/rennor/rennor-audio.so\"" "$work/opened" ||
            fail "the installed program did not load its audio module from lib/rennor"
    fi
}
