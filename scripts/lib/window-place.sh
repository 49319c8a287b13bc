#!/usr/bin/env bash
# Opens the program under a real window manager, which frames the window only
# after it is shown, with a saved window larger than the screen, and checks
# that the whole frame, title bar to bottom edge, lies on the screen.
#
#   window-place.sh PROGRAM
#
# PROGRAM is mh_ruvivuvaz, copied into a fresh program folder. Runs on the X
# display in DISPLAY (inside xvfb-run) and starts openbox on it when no window
# manager runs.
set -euo pipefail
program_path="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
work="$(mktemp -d)"
wm=""
program=""
cleanup() {
    [[ -n "$program" ]] && kill "$program" 2>/dev/null
    [[ -n "$wm" ]] && kill "$wm" 2>/dev/null
    rm -rf "$work"
    return 0
}
trap cleanup EXIT
fail() {
    echo "window place: $*" >&2
    exit 1
}

source "$(dirname "${BASH_SOURCE[0]}")/poll.sh"
if ! wm_runs; then
    start_openbox "$work/openbox" || fail "openbox did not start on $DISPLAY"
fi

app="$work/program"
mkdir -p "$app"
cp "$program_path" "$app/"
printf 'WindowTopPosition=20\r\nWindowLeftPosition=0\r\nWindowHeightSize=2000\r\nWindowWidthSize=3000\r\n' \
    >"$app/config.ini"
"$app/$(basename "$program_path")" >"$work/output.txt" 2>&1 &
program=$!
window_named() { window="$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1)"; [[ -n "$window" ]]; }
poll 120 0.1 window_named '^DIrararezuvero$' || fail "no window titled DIrararezuvero appeared"

read -r screen_width screen_height < <(xdotool getdisplaygeometry)
# The frame from the client's place and size (xwininfo: xdotool counts a
# framed window's offset twice) and the frame's extents.
frame_on_screen() {
    local extents info X Y WIDTH HEIGHT left right top bottom
    extents="$(xprop -id "$window" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.* = //p' | tr -d ' ')"
    [[ -n "$extents" ]] || return 1
    IFS=, read -r left right top bottom <<<"$extents"
    info="$(xwininfo -id "$window")"
    X="$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info")"
    Y="$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info")"
    WIDTH="$(sed -n 's/.*Width: *//p' <<<"$info")"
    HEIGHT="$(sed -n 's/.*Height: *//p' <<<"$info")"
    frame="$((X - left)),$((Y - top)) $((WIDTH + left + right))x$((HEIGHT + top + bottom))"
    ((X - left >= 0 && Y - top >= 0 && X + WIDTH + right <= screen_width &&
        Y + HEIGHT + bottom <= screen_height))
}
frame=""
poll 10 0.2 frame_on_screen ||
    fail "the frame ${frame:-(unknown)} does not lie on the ${screen_width}x${screen_height} screen"
echo "window place: a window saved at 3000x2000 opened with its frame $frame on the screen"
