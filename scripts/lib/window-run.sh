#!/usr/bin/env bash
# Drives the Windows program under Wine on an X display (run inside xvfb-run),
# as a player would, through keystrokes into its menus.
#
#   window-run.sh start APP_DIR
#       starts APP_DIR/mh_ruvivuvaz.exe, waits for its window, closes it
#   window-run.sh follow APP_DIR LOG SCREENSHOT
#       writes a line into LOG, starts the program, turns on tidying in
#       オプション, attaches today's log from ファイル > Today's Log, checks
#       (through select-all and copy in the 通常 view) that the line written
#       before shows and then that a line appended afterwards shows, saves a
#       picture of the window and exits through 終了
#
# WINE and WINEPREFIX come from the environment. Every wait is a polling loop
# with a generous time limit, so a slow machine waits longer instead of failing.
set -euo pipefail
mode="$1"
app="$2"

# What the run leaves beside the program: Wine's output and, on a failure, a
# picture of the whole display.
evidence="$app/.."

fail() {
    echo "window run: $*" >&2
    # Say what the program did, keep a picture of the display as it was, then
    # stop every process of the prefix and remove the lock and hand-over
    # folders it left, so a rerun in the same prefix starts clean.
    if [[ -n "${program:-}" ]]; then
        if kill -0 "$program" 2>/dev/null; then
            echo "window run: the program (process $program) was still running" >&2
        else
            local status=0
            wait "$program" 2>/dev/null || status=$?
            echo "window run: the program had ended with status $status" >&2
        fi
    fi
    if import -window root "$evidence/window-run-failure.png" 2>/dev/null; then
        echo "window run: the display at the moment of failure: $evidence/window-run-failure.png" >&2
    fi
    echo "window run: Wine's output: $evidence/wine-output.txt" >&2
    tail -n 20 "$evidence/wine-output.txt" 2>/dev/null | sed 's/^/    /' >&2 || true
    stop_prefix
    exit 1
}

# Kills every process of the prefix and removes the program's lock files and
# hand-over folders from the prefix's temporary folders.
stop_prefix() {
    "$(dirname "$WINE")/wineserver" -k 2>/dev/null || wineserver -k 2>/dev/null || true
    "$(dirname "$WINE")/wineserver" -w 2>/dev/null || wineserver -w 2>/dev/null || true
    local temp
    for temp in "$WINEPREFIX"/drive_c/users/*/AppData/Local/Temp "$WINEPREFIX"/drive_c/users/*/Temp \
        "$WINEPREFIX"/drive_c/windows/temp; do
        [[ -d "$temp" ]] && rm -rf "$temp"/DIrararezuvero-*
    done
    return 0
}

source "$(dirname "${BASH_SOURCE[0]}")/poll.sh"

program_window() {
    window="$(xdotool search --onlyvisible --name '^DIrararezuvero$' 2>/dev/null | head -n 1)"
    [[ -n "$window" ]]
}

# Focuses the window and types keys into it (XTEST, as a keyboard does).
keys() {
    xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
    sleep 0.3
    local key
    for key in "$@"; do
        xdotool key --clearmodifiers "$key"
        sleep 0.3
    done
}

program_ended() { ! kill -0 "$program" 2>/dev/null; }

# Appends a team chat line saying $1 to the log, as the game writes it.
append_line() {
    printf '<font size="2" color="white"> [%s] </font> <font size="2" color="#f7b73c">確認係 : %s</font></br>\n' \
        "$(date '+%m/%d %H:%M:%S')" "$1" | iconv -f UTF-8 -t CP932 >>"$log"
}

if [[ "$mode" == follow ]]; then
    log="$3"
    screenshot="$4"
    # A line written before attaching: tidying sorts it into the view.
    earlier="attach前の行 $RANDOM$RANDOM"
    append_line "$earlier"
fi

# A Wine server left by an earlier display-less step would take the program in
# on its own (display-less) desktop, and no window would appear on this one.
"$(dirname "$WINE")/wineserver" -w 2>/dev/null || wineserver -w 2>/dev/null || true
stop_prefix  # and a lock left by a run that was killed

cd "$app"
"$WINE" mh_ruvivuvaz.exe >"$app/../wine-output.txt" 2>&1 &
program=$!
trap 'kill "$program" 2>/dev/null || true; stop_prefix' EXIT
poll 120 0.5 program_window || fail "no window titled DIrararezuvero appeared within 120 s"
echo "window run: the window is shown ($(xdotool getwindowgeometry "$window" | tr '\n' ' '))"
sleep 1  # let the first paint settle before typing

if [[ "$mode" == follow ]]; then
    # オプション > アタッチ時に過去ログを整頓する: the menu opens on its first
    # entry; Up wraps to the last (耳打ち・呼び出しで通知), then passes the three
    # text-size entries, 常に最前面 and 過去ログの整理にもNGを適用 to the tidying
    # entry.
    keys alt+o Up Up Up Up Up Up Up Return
    # ファイル > Today's Log: アタッチログ(O), 追加アタッチ, 過去ログ検索(S), then
    # Today's Log.
    keys alt+f Down Down Down Return

    # Tidying sorts the line written before attaching into the 通常 view; a
    # line appended once it shows there must follow.
    view_shows() {
        # Click into the view, select all and copy, as a player would.
        eval "$(xdotool getwindowgeometry --shell "$window")"
        xdotool mousemove "$((X + WIDTH / 2))" "$((Y + HEIGHT / 2))" click 1
        keys ctrl+a ctrl+c
        xclip -o -selection clipboard 2>/dev/null | grep -qF "$1"
    }
    poll 60 0.5 view_shows "$earlier" ||
        fail "the line written before attaching did not show in the 通常 view within 60 s"
    echo "window run: attached with tidying: the line written before attaching shows"
    later="attach後の行 $RANDOM$RANDOM"
    append_line "$later"
    poll 60 0.5 view_shows "$later" ||
        fail "the line appended after attaching did not show in the 通常 view within 60 s"
    echo "window run: following: the line appended after attaching shows"
    echo "window run: the 通常 view holds $(xclip -o -selection clipboard | wc -l) lines"

    # Let the writer add a few more lines, clear the selection, take the picture.
    xdotool mousemove "$((X + WIDTH / 2))" "$((Y + HEIGHT / 2))" click 1
    sleep 3
    import -window "$window" "$screenshot"
    echo "window run: saved $screenshot"
fi

# ファイル > 終了(X).
keys alt+f x
poll 60 0.5 program_ended || fail "the program did not end within 60 s of 終了"
trap - EXIT
wait "$program" || fail "the program ended with status $?"
echo "window run: the program ended through 終了"
