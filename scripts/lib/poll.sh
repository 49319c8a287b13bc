# Sourced by the scripts that drive the program on a display.
#
#   poll SECONDS INTERVAL COMMAND [ARG ...]
#       runs COMMAND every INTERVAL seconds until it succeeds (status 0), or
#       fails (status 1) once SECONDS have passed
poll() {
    local seconds="$1" interval="$2"
    shift 2
    local deadline=$((SECONDS + seconds))
    until "$@"; do
        ((SECONDS < deadline)) || return 1
        sleep "$interval"
    done
}

# grep reads the whole answer: with pipefail, grep -q could leave xprop a
# broken pipe and fail the check.
wm_runs() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep 'window id' >/dev/null; }

#   start_openbox LOG_PREFIX
#       starts openbox on DISPLAY, up to three times, 20 seconds each (a loaded
#       machine can take long to hand it the display); sets wm to its process,
#       says on stderr what a failed attempt printed (LOG_PREFIX-N.txt)
start_openbox() {
    local prefix="$1" attempt deadline
    for attempt in 1 2 3; do
        openbox --sm-disable >"$prefix-$attempt.txt" 2>&1 &
        wm=$!
        deadline=$((SECONDS + 20))
        while ((SECONDS < deadline)); do
            wm_runs && return 0
            sleep 0.2
        done
        kill "$wm" 2>/dev/null || true
        wm=""
        echo "openbox attempt $attempt did not take the display $DISPLAY:" >&2
        sed 's/^/    /' "$prefix-$attempt.txt" >&2
    done
    return 1
}
