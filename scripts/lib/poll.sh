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
