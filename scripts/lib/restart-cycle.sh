#!/usr/bin/env bash
# Starts the program and quits it through ファイル > 終了, as a player does,
# under a real window manager, and checks that nothing changed leaves every
# settings file byte for byte as it was.
#
#   restart-cycle.sh PROGRAM
#
# PROGRAM is mh_ruvivuvaz (Linux), copied into a fresh program folder, or, with
# WINE set (and WINEPREFIX), mh_ruvivuvaz.exe, run in its own folder, whose
# settings files are put back afterwards. Runs on the X display in DISPLAY
# (inside xvfb-run) and starts openbox on it when no window manager runs.
#
# 1. A first start and exit writes the six settings files.
# 2. Three more starts and exits leave each of them byte for byte as it was.
# 3. Linux: a search blocked in a read (a named pipe with a log's name) does
#    not hold the exit: the process ends within two seconds of the settings
#    being saved, and the next start opens a window.
set -euo pipefail
program_path="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
settings=(config.ini nguserlist.txt ngwordlist.txt bouyomiuserlist.txt loghistoryslist.txt
    ruvivuvaz_view.ini)

work="$(mktemp -d)"
wm=""
program=""
cleanup() {
    [[ -n "$program" ]] && kill "$program" 2>/dev/null
    [[ -n "$wm" ]] && kill "$wm" 2>/dev/null
    if [[ -n "${WINE:-}" ]]; then
        local file
        for file in "${settings[@]}"; do
            rm -f "$app/$file"
            [[ -e "$work/kept/$file" ]] && cp -p "$work/kept/$file" "$app/$file"
        done
    fi
    rm -rf "$work"
    return 0
}
trap cleanup EXIT

fail() {
    echo "restart cycle: $*" >&2
    exit 1
}

if [[ -n "${WINE:-}" ]]; then
    app="$(dirname "$program_path")"
    start_program() { (cd "$app" && "$WINE" "$(basename "$program_path")" >>"$work/output.txt" 2>&1) & program=$!; }
    mkdir -p "$work/kept"
    for file in "${settings[@]}"; do
        if [[ -e "$app/$file" ]]; then mv "$app/$file" "$work/kept/$file"; fi
    done
else
    app="$work/program"
    mkdir -p "$app"
    cp "$program_path" "$app/"
    start_program() { "$app/$(basename "$program_path")" >>"$work/output.txt" 2>&1 & program=$!; }
fi

source "$(dirname "${BASH_SOURCE[0]}")/poll.sh"
if ! wm_runs; then
    command -v openbox >/dev/null || fail "no window manager runs and openbox is not installed"
    if ! start_openbox "$work/openbox"; then
        # RESTART_CYCLE_WITHOUT_WM=skip: the display's fault, not the program's.
        if [[ "${RESTART_CYCLE_WITHOUT_WM:-}" == skip ]]; then
            echo "restart cycle: SKIPPED: no window manager could be started on $DISPLAY" >&2
            exit 0
        fi
        fail "openbox did not start on $DISPLAY"
    fi
fi

window_named() { window="$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1)"; [[ -n "$window" ]]; }
program_ended() { ! kill -0 "$program" 2>/dev/null; }
keys() {
    xdotool windowactivate --sync "$1" 2>/dev/null || xdotool windowfocus --sync "$1"
    sleep 0.3
    shift
    local key
    for key in "$@"; do
        xdotool key --clearmodifiers "$key"
        sleep 0.3
    done
}

start() {
    start_program
    poll 120 0.1 window_named '^DIrararezuvero$' || fail "no window titled DIrararezuvero appeared"
    main_window="$window"
    sleep 1  # the window manager frames the window meanwhile
}
quit() {
    keys "$main_window" alt+f x
    poll 60 0.1 program_ended || fail "the program did not end within 60 s of 終了"
    wait "$program" || fail "the program ended with status $?"
    program=""
}

start
quit
for file in "${settings[@]}"; do
    [[ -e "$app/$file" ]] || fail "the first exit did not write $file"
done
mkdir -p "$work/first"
cp "${settings[@]/#/$app/}" "$work/first/"
for cycle in 1 2 3; do
    start
    quit
    for file in "${settings[@]}"; do
        cmp -s "$work/first/$file" "$app/$file" || {
            diff <(iconv -f CP932 -t UTF-8 "$work/first/$file") <(iconv -f CP932 -t UTF-8 "$app/$file") >&2 || true
            fail "start and exit $cycle changed $file"
        }
    done
done
echo "restart cycle: three starts and exits left the six settings files byte for byte as they were"

[[ -n "${WINE:-}" ]] && exit 0
# A log folder whose day's log blocks every read, as on a hung network share.
logs="$work/logs"
mkdir -p "$logs"
mkfifo "$logs/MHChatLog_2024_05_01.html"
sed -i "s|^MHFolderPath=.*\r\$|MHFolderPath=$logs/\r|" "$app/config.ini"
start
keys "$main_window" alt+f s
poll 30 0.1 window_named '^過去ログ検索$' || fail "ファイル > 過去ログ検索 opened no search window"
keys "$window" a Return
sleep 1  # the search reaches the named pipe and blocks there
touch "$work/before-exit"
keys "$main_window" alt+f x
saved() { [[ "$app/config.ini" -nt "$work/before-exit" ]]; }
poll 30 0.1 saved || fail "the settings were not saved within 30 s of 終了"
saved_at=$(date +%s%N)
poll 10 0.1 program_ended || fail "the program was still running 10 s after saving its settings"
ended_ms=$((($(date +%s%N) - saved_at) / 1000000))
wait "$program" || true
program=""
((ended_ms <= 2000)) || fail "the program ended ${ended_ms} ms after saving its settings"
echo "restart cycle: with a search blocked in a read, the program ended ${ended_ms} ms after saving its settings"
start
quit
echo "restart cycle: the next start opened its window"
