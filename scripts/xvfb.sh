# shellcheck shell=bash
# Sourced by the scripts that run the program on a virtual X display.
#
#   start_xvfb LOGDIR      starts Xvfb on a display number it picks itself
#                          (-displayfd, so parallel runs never collide), exports
#                          DISPLAY and sets XVFB_PID; fails after 10 s
#   wait_for_window NAME [SECONDS] [OTHER_THAN]
#                          prints the id of the first visible window whose
#                          title matches the regular expression NAME (and
#                          whose id is not OTHER_THAN, when given); fails
#                          after SECONDS (default 20) rather than hanging;
#                          xdotool matches the title under a UTF-8 locale
#                          whatever the caller's, as an Arabic title matches
#                          nothing in the C locale

start_xvfb() {
    local logdir=$1 number=""
    rm -f "$logdir/xvfb.display"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp \
        3> "$logdir/xvfb.display" > "$logdir/xvfb.log" 2>&1 &
    XVFB_PID=$!
    # Xvfb writes the number and a new line once it accepts connections.
    for _ in $(seq 100); do
        number=$(sed -n '/^[0-9][0-9]*$/p' "$logdir/xvfb.display" 2> /dev/null)
        [ -n "$number" ] && break
        kill -0 "$XVFB_PID" 2> /dev/null || break
        sleep 0.1
    done
    if [ -z "$number" ]; then
        kill "$XVFB_PID" 2> /dev/null || true
        echo "Xvfb did not start:" >&2
        cat "$logdir/xvfb.log" >&2
        return 1
    fi
    export DISPLAY=":$number"
}

wait_for_window() {
    local name=$1 seconds=${2:-20} other=${3:-none} id=""
    for _ in $(seq $((seconds * 10))); do
        id=$(LC_ALL=C.UTF-8 xdotool search --onlyvisible --name "$name" 2> /dev/null | grep -vx "$other" | head -n 1 || true)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    echo "no window named '$name' appeared within ${seconds}s" >&2
    return 1
}
