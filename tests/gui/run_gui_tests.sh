#!/usr/bin/env bash
# Real-window tests of crossrect.exe: Wine on a private Xvfb display, keys
# sent with xdotool, windows read back with a small probe program, and the
# files the program leaves checked byte for byte.
#
#   run_gui_tests.sh [--update-reference] EXE [OUTDIR]
#
# OUTDIR (default: EXE's folder/gui-tests) receives the Wine prefix, one
# folder per scenario and window.png, the screenshot of the fresh window.
# --update-reference (or CROSSRECT_UPDATE_REFERENCE=1) rewrites
# tests/gui/reference.png and docs/window.png from this run's screenshot.
# The probe and the file holder (win_probe.exe, hold_file.exe) are targets
# of the same build, in EXE's folder/tests (or CROSSRECT_GUI_HELPERS).
# CROSSRECT_GUI_REUSE_PREFIX=1 keeps the prefix of an earlier run (quicker
# while working on the tests; a normal run makes a fresh one).
# Ends with "N passed, N failed"; the exit code is non-zero on any failure.
set -u

here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
update_reference=${CROSSRECT_UPDATE_REFERENCE:-0}
if [ "${1:-}" = --update-reference ]; then
    update_reference=1
    shift
fi
if [ $# -lt 1 ] || [ ! -f "$1" ]; then
    echo "usage: $0 [--update-reference] crossrect.exe [outdir]" >&2
    exit 2
fi
exe=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
outdir=${2:-$(dirname "$exe")/gui-tests}
mkdir -p "$outdir"
outdir=$(cd "$outdir" && pwd)
data=$here/data
reference=$here/reference.png

# shellcheck source=tools/wine_env.sh
source "$repo/tools/wine_env.sh"

readonly form_title='^線分交点に矩形を作図$'
readonly app_title='r418_線分交点に矩形を作図'
readonly window_timeout=30 # seconds; the first start in a new prefix is slow
readonly exit_timeout=20

passed=0
failed=0
run_dir=
program_pid=
holder_pid=
form_wid=
failure=

cleanup() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null
    [ -n "${WINEPREFIX:-}" ] && "$WINESERVER" -k 2>/dev/null
    stop_xvfb
}
trap cleanup EXIT

# --- helpers: program folder, start, keys, exit ---

fail() {
    failure=$*
    return 1
}

# new_folder NAME: a fresh program folder holding a copy of the program.
new_folder() {
    run_dir=$outdir/runs/$1
    rm -rf "$run_dir"
    mkdir -p "$run_dir"
    cp "$exe" "$run_dir/crossrect.exe"
}

# exchange_from FILE: the host's exchange file, as the host would write it.
exchange_from() { cp "$1" "$run_dir/JWC_TEMP.TXT"; }

# settings LINE...: a settings file with these lines, CR LF ended.
settings() { printf '%s\r\n' "$@" >"$run_dir/crossrect.dat"; }

# wait_window REGEX SECONDS: prints the id of the first visible window whose
# title matches.
wait_window() {
    local deadline=$((SECONDS + $2)) wid
    while [ $SECONDS -le $deadline ]; do
        wid=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1)
        if [ -n "$wid" ]; then
            echo "$wid"
            return 0
        fi
        sleep 0.05
    done
    return 1
}

# Starts the program from another folder than its own: it must find its
# files by its own path, never by the current folder.
start_program() {
    local started=$(date +%s%N)
    (cd "$outdir" && exec "$WINE" "$run_dir/crossrect.exe") >/dev/null 2>&1 &
    program_pid=$!
    form_wid=$(wait_window "$form_title" $window_timeout) || fail "the window did not appear" || return 1
    start_ms=$((($(date +%s%N) - started) / 1000000))
}

keys() {
    xdotool windowfocus --sync "$form_wid" 2>/dev/null
    xdotool key --delay 40 "$@"
}

# type_text TEXT: typed into the focused control (xdotool type takes the
# rest of its command line, so keys go in separate calls).
type_text() {
    xdotool windowfocus --sync "$form_wid" 2>/dev/null
    printf %s "$1" | xdotool type --delay 40 --file -
}

clear_edit() { keys End $(printf 'BackSpace %.0s' $(seq 1 12)); }

# click X Y: a left click at window coordinates (frame included).
click() {
    xdotool mousemove --window "$form_wid" "$1" "$2" click 1
    xdotool mousemove 1000 740 # away, so no control shows the pointer
}

# wait_exit: waits for the program to end; its exit code in exit_code.
wait_exit() {
    local deadline=$((SECONDS + exit_timeout))
    while kill -0 "$program_pid" 2>/dev/null; do
        if [ $SECONDS -gt $deadline ]; then
            kill "$program_pid" 2>/dev/null
            wait "$program_pid" 2>/dev/null
            program_pid=
            fail "the program did not end"
            return 1
        fi
        sleep 0.05
    done
    wait "$program_pid"
    exit_code=$?
    program_pid=
    [ "$exit_code" -eq 0 ] || fail "exit code $exit_code"
}

# --- helpers: reading windows and files ---

wine_path() {
    local path=$1
    echo "Z:${path//\//\\}"
}

find_helpers() {
    local helpers=${CROSSRECT_GUI_HELPERS:-$(dirname "$exe")/tests}
    probe=$helpers/win_probe.exe
    holder=$helpers/hold_file.exe
    [ -f "$probe" ] && [ -f "$holder" ]
}

# hold SHARE: the exchange file held open by a second program until release.
hold() {
    rm -f "$run_dir/held" "$run_dir/release"
    "$WINE" "$holder" "$(wine_path "$run_dir/JWC_TEMP.TXT")" "$1" "$(wine_path "$run_dir/held")" \
        "$(wine_path "$run_dir/release")" >/dev/null 2>&1 &
    holder_pid=$!
    local deadline=$((SECONDS + 10))
    while [ ! -e "$run_dir/held" ]; do
        [ $SECONDS -le $deadline ] || fail "the file could not be held" || return 1
        sleep 0.05
    done
}
release() {
    touch "$run_dir/release"
    wait "$holder_pid" 2>/dev/null
}

# probe WHAT [ARG...]: the probe's description of the form or the message
# box in $outdir/probe.txt (or settext ID TEXT).
probe() {
    rm -f "$outdir/probe.txt"
    "$WINE" "$probe" "$(wine_path "$outdir/probe.txt")" "$@" >/dev/null 2>&1
}

probe_line() { grep -m1 "^$1" "$outdir/probe.txt"; }

expect_probe_line() {
    local line
    line=$(probe_line "$1 ")
    [ "$line" = "$1 $2" ] || fail "expected '$1 $2', window shows '$line'"
}

# expect_file FILE LINE...: the file holds exactly these lines, CR LF ended.
expect_file() {
    local file=$1
    shift
    [ -f "$file" ] || fail "$(basename "$file") missing" || return 1
    if ! cmp -s "$file" <(printf '%s\r\n' "$@"); then
        fail "$(basename "$file") holds $(od -c "$file" | head -3 | tr -s ' ' | tr '\n' ' ')"
    fi
}

expect_hq() { expect_file "$run_dir/JWC_TEMP.TXT" hq; }

expect_no_message_box() {
    probe msgbox && fail "unexpected message box: $(probe_line text)"
    return 0
}

# expect_message_box TEXT: the box with the application title, this text,
# one OK button, centred on the screen; dismisses it with Enter.
expect_message_box() {
    local wid rect screen x y w h sw sh
    wid=$(wait_window "^$app_title\$" 10) || fail "no message box" || return 1
    probe msgbox || fail "the message box cannot be read" || return 1
    expect_probe_line caption "$app_title" || return 1
    expect_probe_line text "$1" || return 1
    [ "$(grep -c '^button' "$outdir/probe.txt")" -eq 1 ] || fail "not a single button" || return 1
    read -r x y w h <<<"$(probe_line rect | cut -d' ' -f2-)"
    read -r sw sh <<<"$(probe_line screen | cut -d' ' -f2-)"
    if [ $((2 * x + w - sw)) -lt -2 ] || [ $((2 * x + w - sw)) -gt 2 ] ||
        [ $((2 * y + h - sh)) -lt -2 ] || [ $((2 * y + h - sh)) -gt 2 ]; then
        fail "message box at $x,$y ($w x $h) is not centred on $sw x $sh" || return 1
    fi
    xdotool windowfocus --sync "$wid" 2>/dev/null
    xdotool key Return
    while probe msgbox; do sleep 0.1; done
}

# wait_focus ID: the form becomes active with the focus on this control.
wait_focus() {
    local deadline=$((SECONDS + 5))
    until probe form && [ "$(probe_line focus)" = "focus $1" ]; do
        [ $SECONDS -le $deadline ] || fail "focus: $(probe_line focus), active: $(probe_line active)" || return 1
        sleep 0.2
    done
}

# The lists' items follow from their naming rule.
expected_items() {
    local id=$1 first=$2
    shift 2
    local n=0
    echo "item $id 0 $first"
    while [ $# -gt 0 ]; do
        for i in $(seq 1 "$2"); do
            n=$((n + 1))
            echo "item $id $n $1$i"
        done
        shift 2
    done
}

# --- scenarios ---

# No exchange file, no settings: the window at the top-left corner with the
# layout, texts, lists and keyboard order it was designed with; Escape hands
# "hq" back and saves nothing.
scenario_fresh_start() {
    new_folder fresh
    start_program || return 1
    echo "  window visible ${start_ms} ms after the start"
    probe form || fail "the window cannot be read" || return 1
    diff <(grep -v '^item' "$outdir/probe.txt" | sort) <(sort "$data/fresh_form.txt") \
        >"$outdir/fresh_form.diff" || fail "window differs: $(head -c 600 "$outdir/fresh_form.diff")" || return 1
    diff <(grep '^item 101 ' "$outdir/probe.txt") \
        <(expected_items 101 現在線色 線色 9 SXF- 256) >/dev/null || fail "line-colour list" || return 1
    diff <(grep '^item 102 ' "$outdir/probe.txt") \
        <(expected_items 102 現在線種 線種 9 ランダム線 5 倍長線種 4 SXF- 32) >/dev/null ||
        fail "line-type list" || return 1
    keys Escape
    wait_exit || return 1
    expect_hq || return 1
    [ ! -e "$run_dir/crossrect.dat" ] || fail "a settings file was written"
}

# The worked example: two segments crossing at (5, 5), "中中" chosen with the
# keyboard, Enter. Also the screenshot of the freshly opened window.
scenario_example_by_keyboard() {
    new_folder example
    exchange_from "$data/two_crossing.txt"
    start_program || return 1
    echo "  window visible ${start_ms} ms after the start (second start)"
    check_screenshot || return 1
    keys Tab Tab Tab Tab Tab Tab Tab Tab Down Down Down Down
    probe form && expect_probe_line "text 105" 中中 || return 1
    keys Return
    wait_exit || return 1
    expect_file "$run_dir/JWC_TEMP.TXT" lg0 ly1 lc2 lt1 lw0 "0 0 10 0" "10 0 10 10" "10 10 0 10" \
        "0 10 0 0" || return 1
    expect_file "$run_dir/crossrect.dat" 0 0 0 0 0 10 10 0 0 0 4
}

# Japanese input on: full-width digits in 横幅 and 角度 give the answer of
# the same run with ASCII digits.
scenario_full_width_input() {
    new_folder full_width
    exchange_from "$data/two_crossing.txt"
    "$WINE" "$(dirname "$exe")/crossrect-cli.exe" run --dir "$(wine_path "$run_dir")" \
        --settings "$(wine_path "$outdir/ascii.dat")" --out "$(wine_path "$outdir/ascii.txt")" \
        --width 12.5 --angle 45 >/dev/null 2>&1 || fail "the ASCII run failed" || return 1
    start_program || return 1
    probe settext 112 １２．５ && probe settext 114 ４５ || fail "cannot set the texts" || return 1
    keys Return
    wait_exit || return 1
    cmp -s "$outdir/ascii.txt" "$run_dir/JWC_TEMP.TXT" ||
        fail "the answer differs from the ASCII run's: $(tr '\r\n' '| ' <"$run_dir/JWC_TEMP.TXT")"
}

check_screenshot() {
    xdotool mousemove 1000 740
    sleep 0.3 # let the last paint settle
    /usr/bin/import -window "$form_wid" "$outdir/window.png" 2>/dev/null || fail "no screenshot" || return 1
    if [ "$update_reference" = 1 ]; then
        cp "$outdir/window.png" "$reference"
        cp "$outdir/window.png" "$repo/docs/window.png"
        echo "  reference image rewritten"
        return 0
    fi
    [ -f "$reference" ] || fail "no reference image: run with --update-reference" || return 1
    local differing
    differing=$(/usr/bin/compare -metric AE "$reference" "$outdir/window.png" "$outdir/window-diff.png" 2>&1)
    [ "$differing" = 0 ] || fail "screenshot differs from the reference in $differing pixels (see $outdir/window-diff.png)"
}

# Stored settings come back into the controls, the window stands where it
# was left, and OK saves what the controls then hold.
scenario_settings_round_trip() {
    new_folder settings
    exchange_from "$data/two_crossing.txt"
    settings 120 80 3 2 25 12.5 7.25 -30 1 0 8
    start_program || return 1
    probe form || fail "the window cannot be read" || return 1
    local expected
    for expected in "position 120 80" "list 101 count 266 selected 3" \
        "list 102 count 51 selected 2" "text 111 25" "text 112 12.5" "text 113 7.25" \
        "text 114 -30" "list 103 count 2 selected 1" "list 104 count 2 selected 0" \
        "list 105 count 10 selected 8" "text 140 線分：2"; do
        grep -qx "$expected" "$outdir/probe.txt" || fail "expected '$expected'" || return 1
    done
    keys Return
    wait_exit || return 1
    expect_file "$run_dir/crossrect.dat" 120 80 3 2 25 12.5 7.25 -30 1 0 8 || return 1
    [ "$(grep -c '^[-0-9.eE]* [-0-9.eE]* [-0-9.eE]* [-0-9.eE]*.$' "$run_dir/JWC_TEMP.TXT")" -eq 4 ] ||
        fail "not one rectangle: $(tr '\r\n' '| ' <"$run_dir/JWC_TEMP.TXT")"
}

# Stored list positions outside the lists: the colour and line-type lists
# show no selection and OK passes -1 on; the unit and reference-point lists
# fall back to their first item.
scenario_settings_out_of_range() {
    new_folder out_of_range
    exchange_from "$data/two_crossing.txt"
    settings 0 0 266 -1 0 10 10 0 5 -2 9
    start_program || return 1
    probe form || fail "the window cannot be read" || return 1
    local expected
    for expected in "list 101 count 266 selected -1" "list 102 count 51 selected -1" \
        "list 103 count 2 selected 0" "list 104 count 2 selected 0" "list 105 count 10 selected 0"; do
        grep -qx "$expected" "$outdir/probe.txt" || fail "expected '$expected'" || return 1
    done
    keys Return
    wait_exit || return 1
    expect_file "$run_dir/crossrect.dat" 0 0 -1 -1 0 10 10 0 0 0 0
}

# A stored position wholly off the screen moves onto it; one partly on it
# is used as stored.
scenario_stored_positions() {
    local case left top x y
    for case in "-5000 3000 0 496" "-100 -10 -100 -10" "900 700 900 700"; do
        read -r left top x y <<<"$case"
        new_folder "position_${left}_$top"
        settings "$left" "$top"
        start_program || return 1
        probe form || fail "the window cannot be read" || return 1
        expect_probe_line position "$x $y" || return 1
        keys Escape
        wait_exit && expect_hq || return 1
    done
}

# Every way of cancelling hands back "hq" and leaves the settings alone.
scenario_cancel_ways() {
    local way
    for way in alt+n alt+F4 close-box escape-in-notes enter-on-cancel; do
        new_folder "cancel_$way"
        exchange_from "$data/two_crossing.txt"
        settings 0 0 1 1 5 3 4 0 0 0 2
        cp "$run_dir/crossrect.dat" "$run_dir/settings.before"
        start_program || return 1
        case $way in
        close-box) click 465 12 ;;
        escape-in-notes)
            click 370 80
            probe form && expect_probe_line focus 150 || return 1
            keys Escape
            ;;
        enter-on-cancel) keys Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Return ;;
        *) keys "$way" ;;
        esac
        wait_exit || { failure="$way: $failure" && return 1; }
        expect_hq || { failure="$way: $failure" && return 1; }
        cmp -s "$run_dir/crossrect.dat" "$run_dir/settings.before" || fail "$way changed the settings" || return 1
    done
}

# Inside the read-only notes Tab moves on to the first list and Enter
# presses OK.
scenario_keys_in_notes() {
    new_folder notes
    exchange_from "$data/two_crossing.txt"
    start_program || return 1
    click 370 80
    keys Tab
    probe form && expect_probe_line focus 101 || return 1
    click 370 80
    keys Return
    wait_exit || return 1
    expect_file "$run_dir/JWC_TEMP.TXT" lg0 ly1 lc2 lt1 lw0 "5 5 15 5" "15 5 15 15" \
        "15 15 5 15" "5 15 5 5"
}

# A width or height not above the tolerance: the message names the field,
# the window stays with the texts as typed, nothing is saved or emitted.
scenario_validation() {
    new_folder validation
    exchange_from "$data/two_crossing.txt"
    settings 0 0 0 0 0 10 10 0 0 0 0
    cp "$run_dir/crossrect.dat" "$run_dir/settings.before"
    start_program || return 1
    keys Tab Tab Tab # the width
    local case field text message
    # The edit that gets the text (the height is reached from the width,
    # which then holds 5), the text, the message.
    for case in "112||横幅の値を入力して下さい" "112|abc|横幅の値を入力して下さい" \
        "112|-3|横幅の値を入力して下さい" "112|0|横幅の値を入力して下さい" \
        "113|1e-9|縦高の値を入力して下さい"; do
        IFS='|' read -r field text message <<<"$case"
        clear_edit
        if [ "$field" = 113 ]; then
            type_text 5
            keys Tab Tab # Tab selects the whole text: typing replaces it
        fi
        [ -n "$text" ] && type_text "$text"
        keys Return
        expect_message_box "$message" || { failure="'$text': $failure" && return 1; }
        probe form || fail "the window is gone after the message" || return 1
        expect_probe_line "text $field" "$text" || return 1
        expect_probe_line focus "$field" || return 1
    done
    keys Escape
    wait_exit || return 1
    expect_hq || return 1
    cmp -s "$run_dir/crossrect.dat" "$run_dir/settings.before" || fail "the settings file changed"
}

# The last item of each list, chosen with the keyboard, OK by Alt+Y.
scenario_last_list_items() {
    new_folder last_items
    exchange_from "$data/two_crossing.txt"
    start_program || return 1
    keys End Tab End alt+y
    wait_exit || return 1
    grep -qx $'lc356\r' "$run_dir/JWC_TEMP.TXT" || fail "no lc356" || return 1
    grep -qx $'lt62\r' "$run_dir/JWC_TEMP.TXT" || fail "no lt62" || return 1
    [ "$(sed -n '3,4p' "$run_dir/crossrect.dat" | tr -d '\r' | tr '\n' ' ')" = "265 50 " ] ||
        fail "settings hold list positions $(sed -n '3,4p' "$run_dir/crossrect.dat")"
}

# The minimise box hides the window with its application; restoring the
# application (its task-bar button) brings it back with the focus where it
# was, and it still works.
scenario_minimise_restore() {
    new_folder minimise
    exchange_from "$data/two_crossing.txt"
    start_program || return 1
    keys Tab Tab Tab # the width
    click 431 12
    local deadline=$((SECONDS + 5))
    while probe form; do
        [ $SECONDS -le $deadline ] || fail "the window stays on the screen" || return 1
        sleep 0.2
    done
    probe restore || fail "no application window to restore" || return 1
    form_wid=$(wait_window "$form_title" 10) || fail "the window did not come back" || return 1
    wait_focus 112 || return 1
    keys Escape
    wait_exit && expect_hq
}

# Japanese characters and a space in the program's folder.
scenario_japanese_folder() {
    new_folder "作図 テスト"
    exchange_from "$data/two_crossing.txt"
    start_program || return 1
    keys Tab Tab Tab Tab Tab Tab Tab Tab Down Down Down Down Return
    wait_exit || return 1
    expect_file "$run_dir/JWC_TEMP.TXT" lg0 ly1 lc2 lt1 lw0 "0 0 10 0" "10 0 10 10" \
        "10 10 0 10" "0 10 0 0" || return 1
    expect_file "$run_dir/crossrect.dat" 0 0 0 0 0 10 10 0 0 0 4
}

# A read-only exchange file still gets the answer, and stays read-only.
# A folder of that name no system lets a file replace: the program still
# ends cleanly, shows nothing and leaves no stray file behind.
scenario_unwritable_exchange() {
    local case
    for case in read-only folder; do
        new_folder "unwritable_$case"
        if [ "$case" = folder ]; then
            mkdir "$run_dir/JWC_TEMP.TXT"
            touch "$run_dir/JWC_TEMP.TXT/keep"
        else
            exchange_from "$data/two_crossing.txt"
            chmod a-w "$run_dir/JWC_TEMP.TXT"
        fi
        start_program || return 1
        keys Return
        local deadline=$((SECONDS + exit_timeout))
        while kill -0 "$program_pid" 2>/dev/null && [ $SECONDS -le $deadline ]; do
            expect_no_message_box || return 1
            sleep 0.2
        done
        wait_exit || { failure="$case: $failure" && return 1; }
        local stray
        stray=$(cd "$run_dir" && ls -A | grep -vx -e crossrect.exe -e crossrect.dat -e JWC_TEMP.TXT)
        [ -z "$stray" ] || fail "$case: left behind: $stray" || return 1
    done
    run_dir=$outdir/runs/unwritable_read-only
    expect_file "$run_dir/JWC_TEMP.TXT" lg0 ly1 lc2 lt1 lw0 "5 5 15 5" "15 5 15 15" "15 15 5 15" \
        "5 15 5 5" || return 1
    [ ! -w "$run_dir/JWC_TEMP.TXT" ] || [ "$(stat -c %a "$run_dir/JWC_TEMP.TXT")" = 444 ] ||
        fail "read-only mark lost: mode $(stat -c %a "$run_dir/JWC_TEMP.TXT")"
}

# The end of the session (sent by Wine's wineboot) ends the program, and
# the host still gets its answer.
scenario_session_end() {
    new_folder session_end
    exchange_from "$data/two_crossing.txt"
    start_program || return 1
    "$WINE" wineboot -e >/dev/null 2>&1
    wait_exit || return 1
    expect_hq
}

readonly example_answer=(lg0 ly1 lc2 lt1 lw0 "0 0 10 0" "10 0 10 10" "10 10 0 10" "0 10 0 0")

# The exchange file held open by a program that shares reading and writing
# but not deletion: no replacement is possible, the rewrite in place is. The
# host's selection gives way to "hq" as soon as the window shows; Enter
# brings the complete answer.
scenario_held_exchange() {
    new_folder held
    exchange_from "$data/two_crossing.txt"
    hold rw || return 1
    start_program || { release; return 1; }
    expect_hq || { release; return 1; }
    keys Tab Tab Tab Tab Tab Tab Tab Tab Down Down Down Down
    keys Return
    wait_exit || { release; return 1; }
    release
    expect_file "$run_dir/JWC_TEMP.TXT" "${example_answer[@]}" || return 1
    [ -z "$(cd "$run_dir" && ls -A | grep -F .tmp)" ] || fail "temporary file left"
}

# Killed while the window is open: the host finds "hq", not its selection.
scenario_killed_window() {
    new_folder killed
    exchange_from "$data/two_crossing.txt"
    start_program || return 1
    kill -KILL "$program_pid"
    wait "$program_pid" 2>/dev/null
    program_pid=
    expect_hq
}

# crossrect-cli.exe under Wine against a held file: the answer arrives.
scenario_held_exchange_cli() {
    local cli
    cli=$(dirname "$exe")/crossrect-cli.exe
    [ -f "$cli" ] || fail "crossrect-cli.exe not built beside $exe" || return 1
    new_folder held_cli
    exchange_from "$data/two_crossing.txt"
    hold rw || return 1
    "$WINE" "$cli" run --dir "$(wine_path "$run_dir")" --settings "$(wine_path "$run_dir/crossrect.dat")" \
        --ref 4 >"$run_dir/stdout" 2>&1
    local code=$?
    release
    [ "$code" -eq 0 ] || fail "crossrect-cli exit $code: $(head -c 300 "$run_dir/stdout")" || return 1
    expect_file "$run_dir/JWC_TEMP.TXT" "${example_answer[@]}" || return 1

    # An answer large enough to go through the temporary file during the run
    # (a 600 x 600 grid, about 23 MB): copied in place at the end.
    new_folder held_cli_large
    awk 'BEGIN { ORS = "\r\n"; print "lg0"; for (i = 0; i < 600; i++) { print -1, i, 600, i; print i, -1, i, 600 } }' \
        >"$run_dir/JWC_TEMP.TXT"
    cp "$run_dir/JWC_TEMP.TXT" "$run_dir/input.txt"
    "$WINE" "$cli" run --dir "$(wine_path "$run_dir")" --settings "$(wine_path "$run_dir/reference.dat")" \
        --out "$(wine_path "$run_dir/reference.txt")" >/dev/null 2>&1 || fail "reference run failed" || return 1
    hold rw || return 1
    "$WINE" "$cli" run --dir "$(wine_path "$run_dir")" --settings "$(wine_path "$run_dir/crossrect.dat")" \
        >"$run_dir/stdout" 2>&1
    code=$?
    release
    [ "$code" -eq 0 ] || fail "large: crossrect-cli exit $code: $(head -c 300 "$run_dir/stdout")" || return 1
    [ "$(stat -c %s "$run_dir/reference.txt")" -gt 16777216 ] || fail "large: answer too small to spill" || return 1
    cmp -s "$run_dir/reference.txt" "$run_dir/JWC_TEMP.TXT" || fail "large: the answer differs" || return 1
    [ -z "$(cd "$run_dir" && ls -A | grep -F .tmp)" ] || fail "large: temporary file left"
}

run() {
    failure=
    local started=$SECONDS
    if "$1" && [ -z "$failure" ]; then
        passed=$((passed + 1))
        echo "PASS ${1#scenario_} ($((SECONDS - started)) s)"
    else
        failed=$((failed + 1))
        echo "FAIL ${1#scenario_}: ${failure:-failed}"
    fi
    if [ -n "$program_pid" ]; then
        kill "$program_pid" 2>/dev/null
        wait "$program_pid" 2>/dev/null
        program_pid=
    fi
    # The next scenario must not find this one's window.
    local deadline=$((SECONDS + 5))
    while xdotool search --onlyvisible --name "$form_title" >/dev/null 2>&1 && [ $SECONDS -le $deadline ]; do
        sleep 0.1
    done
}

main() {
    start_xvfb || exit 1
    echo "display $DISPLAY, prefix $outdir/prefix"
    if [ "${CROSSRECT_GUI_REUSE_PREFIX:-0}" = 1 ] && [ -f "$outdir/prefix/user.reg" ]; then
        export WINEPREFIX=$outdir/prefix
    else
        make_prefix "$outdir/prefix" N
    fi
    "$WINESERVER" -p # one server for every start
    find_helpers || { echo "win_probe.exe or hold_file.exe not built" >&2; exit 1; }
    xdotool mousemove 1000 740
    local scenario
    for scenario in ${CROSSRECT_GUI_SCENARIOS:-scenario_fresh_start scenario_example_by_keyboard scenario_full_width_input \
        scenario_settings_round_trip scenario_settings_out_of_range scenario_stored_positions scenario_cancel_ways \
        scenario_keys_in_notes scenario_validation scenario_last_list_items scenario_minimise_restore \
        scenario_japanese_folder scenario_unwritable_exchange scenario_session_end \
        scenario_held_exchange scenario_killed_window scenario_held_exchange_cli}; do
        run "$scenario"
    done
    echo "$passed passed, $failed failed"
    [ "$failed" -eq 0 ]
}

main
