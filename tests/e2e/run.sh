#!/usr/bin/env bash
# End-to-end checks of the window program under a virtual X server, driven by
# real input events (XTEST through xdotool) and read back from the screen
# (screenshots, and OCR of them).
#
# A first start in an empty folder:
#   - the main window appears with its caption;
#   - Page Down in the calendar moves to the next month;
#   - the menu opens the configuration dialog, Escape closes it, and closing
#     it writes the settings file;
#   - a click on the day-length caption switches to the moon panel;
#   - "Set up" > "Exit" ends the program, which leaves the 19-line settings
#     file and nothing else in its folder;
#   - a screenshot of the screen is not blank.
# Hostile files:
#   - a second start in the same folder brings the first copy's window
#     forward and ends;
#   - binary settings and label files: the program says so, starts with the
#     defaults and its own labels, and repairs the settings file on exit,
#     keeping the lines it does not use and the old file as Dawncode.txt.bak;
#   - a folder where the settings file should be: every failed save names the
#     file, the program keeps running and ends normally, the folder stays.
#
#   tests/e2e/run.sh <path-to-dawnhelm> [folder-for-screenshots]
#
# Needs Xvfb, xdotool, ImageMagick (import, convert) and tesseract; dev.sh
# installs them. Every wait is bounded; the whole run takes well under a
# minute.
set -euo pipefail

program=$(readlink -f "${1:?usage: tests/e2e/run.sh <path-to-dawnhelm> [screenshot-folder]}")
out=${2:-$(dirname "$program")/e2e}
mkdir -p "$out"
out=$(cd "$out" && pwd)

for tool in Xvfb xdotool import convert tesseract; do
    command -v "$tool" >/dev/null || { echo "e2e: $tool is missing (./dev.sh installs it)" >&2; exit 1; }
done
[ -x "$program" ] || { echo "e2e: no program at $program" >&2; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/dawn-e2e.XXXXXX")
xvfb_pid=
app_pid=
cleanup() {
    if [ -n "$app_pid" ]; then kill "$app_pid" 2>/dev/null || true; fi
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

passed=0
failed=0
pass() { echo "  ok: $*"; passed=$((passed + 1)); }
fail() { echo "  FAIL: $*" >&2; failed=$((failed + 1)); }
check() { # description, command...
    local what=$1
    shift
    if "$@"; then pass "$what"; else fail "$what"; fi
}
finish() {
    echo "e2e: $passed passed, $failed failed"
    if [ "$failed" -gt 0 ]; then
        echo "e2e: screenshots and the program's output are in $out" >&2
        exit 1
    fi
    exit 0
}

# Polls `command...` every 0.2 s for at most `seconds`.
wait_for() { # seconds, command...
    local tries=$(($1 * 5))
    shift
    while [ "$tries" -gt 0 ]; do
        if "$@"; then return 0; fi
        sleep 0.2
        tries=$((tries - 1))
    done
    return 1
}

# --- a private X server and home ---------------------------------------------
mkdir -p "$work/home" "$work/runtime"
chmod 700 "$work/runtime"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
wait_for 10 test -s "$work/display" || { echo "e2e: Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 1; }
export DISPLAY=":$(head -n 1 "$work/display")"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work/runtime"
export LC_ALL=C.UTF-8 LANG=C.UTF-8 QT_QPA_PLATFORM=xcb OMP_THREAD_LIMIT=1

# --- reading the screen --------------------------------------------------------
# Words on a window: "x y width height word" per line, in the window's own
# pixels. The picture is enlarged first; OCR reads small UI text better so.
ocr() { # window
    import -window "$1" "$work/ocr.png"
    convert "$work/ocr.png" -resize 200% -colorspace Gray "$work/ocr-large.png"
    tesseract "$work/ocr-large.png" - tsv 2>/dev/null |
        awk -F'\t' 'NR > 1 && $12 != "" && $11 >= 40 { printf "%d %d %d %d %s\n", $7 / 2, $8 / 2, $9 / 2, $10 / 2, $12 }'
}
has_word() { # window, word
    ocr "$1" >"$work/words"
    awk -v w="$2" '$5 == w { found = 1 } END { exit !found }' "$work/words"
}
# The same at any confidence: a word beside a spin box's arrows (the month
# box) is read right but with a confidence near 0.
has_word_unsure() { # window, word
    import -window "$1" "$work/ocr.png"
    convert "$work/ocr.png" -resize 200% -colorspace Gray "$work/ocr-large.png"
    tesseract "$work/ocr-large.png" - tsv 2>/dev/null |
        awk -F'\t' -v w="$2" 'NR > 1 && $12 == w { found = 1 } END { exit !found }'
}
# A part of a word at any confidence: a message's file path, with its random
# temporary folder, is often read right with a confidence under 40.
has_text() { # window, part of a word
    import -window "$1" "$work/ocr.png"
    convert "$work/ocr.png" -resize 200% -colorspace Gray "$work/ocr-large.png"
    tesseract "$work/ocr-large.png" - tsv 2>/dev/null |
        awk -F'\t' -v w="$2" 'NR > 1 && index($12, w) { found = 1 } END { exit !found }'
}
word_centre() { # window, word -> "x y" inside the window
    ocr "$1" | awk -v w="$2" '$5 == w { print $1 + int($3 / 2), $2 + int($4 / 2); found = 1; exit } END { exit !found }'
}
click_in() { # window, x, y
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$1")"
    xdotool mousemove --sync $((X + $2)) $((Y + $3)) click 1
}
visible_window() { # title pattern -> window id
    xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1
}
window_gone() { [ -z "$(visible_window "$1")" ]; }

# --- driving the program ---------------------------------------------------------
main=
message=
folder=
run_status=
program_ended() { ! kill -0 "$app_pid" 2>/dev/null; }
find_main() { main=$(visible_window '^Dawnhelm [0-9.]+$'); [ -n "$main" ]; }
find_message() { message=$(visible_window '^dawnhelm$'); [ -n "$message" ]; }
find_dialog() { dialog=$(visible_window '^Configuration$'); [ -n "$dialog" ]; }

start_in() { # folder, log name
    folder=$1
    (cd "$folder" && exec timeout 120 "$program") >"$out/$2.log" 2>&1 &
    app_pid=$!
}
# Shows a message box whose text holds `part` (empty: any), then OK.
expect_message() { # seconds, shot name, part
    if ! wait_for "$1" find_message; then return 1; fi
    import -window "$message" "$out/$2.png"
    local ok=0
    if [ -n "$3" ] && ! has_text "$message" "$3"; then ok=1; fi
    xdotool windowfocus --sync "$message" 2>/dev/null || true
    xdotool key Return
    wait_for 5 window_gone '^dawnhelm$' || true
    return "$ok"
}
focus_main() { xdotool windowfocus --sync "$main" 2>/dev/null || true; }
menu() { # accelerator of a "Set up" item
    focus_main
    xdotool key alt+u
    sleep 0.5
    xdotool key "$1"
}
# Set up > Exit, answering `messages` message boxes on the way out.
quit_program() { # messages at exit
    menu x
    local i
    for ((i = 0; i < $1; i++)); do
        check "the failed save at exit is reported" expect_message 10 exit-message-$i "Dawncode"
    done
    if wait_for 15 program_ended; then
        run_status=0
        wait "$app_pid" || run_status=$?
        app_pid=
        check "Set up > Exit ends the program with status 0 (got $run_status)" test "$run_status" -eq 0
    else
        fail "Set up > Exit ends the program"
        import -window root "$out/still-running.png"
        finish
    fi
}
no_sanitizer_errors() { ! grep -qE "runtime error|ERROR: (Address|Leak)Sanitizer" "$out/$1.log"; }

echo "e2e: $program on display $DISPLAY"

# --- 1. a first start in an empty folder -------------------------------------------
echo "e2e: first start in an empty folder"
mkdir -p "$work/first"
start_in "$work/first" first
if ! wait_for 30 find_main; then
    fail "the main window appears"
    import -window root "$out/no-window.png" || true
    finish
fi
pass "the main window appears, captioned \"$(xdotool getwindowname "$main")\""
check "the caption carries the version 1.1.0.0" test "$(xdotool getwindowname "$main")" = "Dawnhelm 1.1.0.0"
focus_main
sleep 0.5
import -window "$main" "$out/1-start.png"
check "the sun panel is shown at start" wait_for 5 has_word "$main" Sunrise
check "today's month is shown" wait_for 5 has_word_unsure "$main" "$(date +%b)"

# Next month: Page Down in the calendar, which has the focus at start.
next_month=$(date -d "$(date +%Y-%m-01) +1 month" +%b)
next_year=$(date -d "$(date +%Y-%m-01) +1 month" +%Y)
xdotool key Next
month_shown() { has_word "$main" "$next_month" && has_word "$main" "$next_year"; }
check "Page Down shows $next_month $next_year" wait_for 5 month_shown
import -window "$main" "$out/2-next-month.png"

# The configuration dialog through the menu.
check "no settings file before anything is saved" test ! -e "$work/first/Dawncode.txt"
menu c
if wait_for 10 find_dialog; then
    pass "Set up > Configuration opens the configuration dialog"
    import -window "$dialog" "$out/3-configuration.png"
    check "the dialog shows the latitude" wait_for 5 has_word "$dialog" Latitude
    xdotool key Escape
    check "Escape closes the dialog" wait_for 5 window_gone '^Configuration$'
    check "closing the dialog writes the settings file" wait_for 5 test -s "$work/first/Dawncode.txt"
else
    fail "Set up > Configuration opens the configuration dialog"
    import -window root "$out/3-no-dialog.png"
fi

# The moon panel: a click on the day-length caption.
focus_main
if centre=$(word_centre "$main" Daylight); then
    # shellcheck disable=SC2086
    click_in "$main" $centre
    moon_shown() { has_word "$main" Moonrise && ! has_word "$main" Sunrise; }
    check "a click on the day length switches to the moon panel" wait_for 5 moon_shown
else
    fail "the day-length caption is on the screen"
fi
import -window "$main" "$out/4-moon.png"

# A second start in the same folder brings the running window forward and
# ends at once, without a window of its own.
second_status=0
(cd "$work/first" && exec timeout 20 "$program") >"$out/second-start.log" 2>&1 || second_status=$?
check "a second start in the folder ends with status 0 (got $second_status)" test "$second_status" -eq 0
check "the first copy still runs" kill -0 "$app_pid"
check "one main window is on the screen" test "$(xdotool search --name '^Dawnhelm 1' | wc -l)" -eq 1

# A screenshot that is not blank.
import -window root "$out/screen.png"
deviation=$(convert "$out/screen.png" -format '%[fx:standard_deviation]' info:)
colours=$(convert "$out/screen.png" -format '%k' info:)
not_blank() { awk -v d="$deviation" -v c="$colours" 'BEGIN { exit !(d > 0.05 && c >= 16) }'; }
check "the screenshot is not blank ($colours colours, deviation $deviation)" not_blank

quit_program 0
settings="$work/first/Dawncode.txt"
cp "$settings" "$out/Dawncode.txt" 2>/dev/null || true
check "the settings file has 19 lines" test "$(wc -l <"$settings")" -eq 19
check "every line ends in CR LF" test "$(grep -c $'\r$' "$settings")" -eq 19
line() { sed -n "$(($2 + 1))p" "$1" | tr -d '\r'; }
check "the default place is saved (328, 3047, 60)" \
    test "$(line "$settings" 12) $(line "$settings" 13) $(line "$settings" 14)" = "328 3047 60"
check "nothing but the settings file is left in the folder" test "$(ls -A "$work/first")" = "Dawncode.txt"
check "no sanitizer error" no_sanitizer_errors first

# --- 2. binary settings and label files -----------------------------------------------
echo "e2e: binary settings and label files"
mkdir -p "$work/binary"
{
    printf '1\000\r\n\377\376junk\r\n'
    for _ in $(seq 1 30); do printf '\001\002\003 %s\r\n' "$(printf 'x%.0s' $(seq 1 200))"; done
} >"$work/binary/Dawncode.txt"
head -c 20000 /dev/zero | tr '\0' '\377' >"$work/binary/Dawnlabel.txt"
cp "$work/binary/Dawnlabel.txt" "$work/binary-labels-before"
cp "$work/binary/Dawncode.txt" "$work/binary-settings-before"
start_in "$work/binary" binary
check "the unusable settings lines are reported" expect_message 30 binary-message "integer"
# The label file's message may follow.
expect_message 3 binary-labels-message "" || true
if wait_for 15 find_main; then
    pass "the main window appears after the messages"
    check "the program's own labels are shown" wait_for 5 has_word "$main" Sunrise
    quit_program 0
    settings="$work/binary/Dawncode.txt"
    check "the repaired settings file holds the default latitude" test "$(line "$settings" 13)" = 3047
    check "the lines after the 19th are kept" test "$(wc -l <"$settings")" -eq 32
    check "the label file was not touched" cmp -s "$work/binary/Dawnlabel.txt" "$work/binary-labels-before"
    check "the binary settings file is kept as Dawncode.txt.bak" \
        cmp -s "$work/binary/Dawncode.txt.bak" "$work/binary-settings-before"
else
    fail "the main window appears after the messages"
    import -window root "$out/binary-no-window.png"
    kill "$app_pid" 2>/dev/null || true
    app_pid=
fi
check "no sanitizer error" no_sanitizer_errors binary

# --- 3. a folder where the settings file should be -------------------------------------
echo "e2e: a folder in place of the settings file"
mkdir -p "$work/blocked/Dawncode.txt/inside"
start_in "$work/blocked" blocked
check "the unreadable settings file is reported" expect_message 30 blocked-start-message "Dawncode"
if wait_for 15 find_main; then
    pass "the main window appears after the message"
    menu c
    if wait_for 10 find_dialog; then
        xdotool key Escape
        check "the failed save of the dialog names the file" expect_message 10 blocked-save-message "Dawncode"
        check "the program keeps running" wait_for 5 has_word "$main" Sunrise
    else
        fail "Set up > Configuration opens the configuration dialog"
    fi
    quit_program 1
else
    fail "the main window appears after the message"
    import -window root "$out/blocked-no-window.png"
    kill "$app_pid" 2>/dev/null || true
    app_pid=
fi
check "the folder in the file's place is still there" test -d "$work/blocked/Dawncode.txt/inside"
check "no sanitizer error" no_sanitizer_errors blocked

finish
