#!/usr/bin/env bash
# The Windows release package as a user gets it:
#   run_release_tests.sh DIST CLI OUTDIR
# DIST holds crossrect-<version>-win64.zip (make release), CLI is the Linux
# crossrect-cli. Checks the version everywhere, the zip's contents, that
# packaging the same files again gives the same bytes, and that the
# unpacked crossrect.exe, run under Wine in a real window on the sample
# drawing and confirmed with Enter, hands back exactly what crossrect-cli
# run does with the same settings. Then the whole round trip as Jw_cad
# makes it, by the substitute host around the packed launcher, from a plain
# folder and from one with a space and Japanese characters in its path.
# Ends with "N passed, N failed".
set -u
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../.." && pwd)
if [ $# -ne 3 ] || [ ! -d "$1" ] || [ ! -x "$2" ]; then
    echo "usage: $0 DIST CLI OUTDIR" >&2
    exit 2
fi
dist=$(cd "$1" && pwd)
cli=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
outdir=$3
rm -rf "$outdir"
mkdir -p "$outdir"
outdir=$(cd "$outdir" && pwd)
sample=$repo/samples/floorplan/JWC_TEMP.TXT
readonly form_title='^線分交点に矩形を作図$'

# shellcheck source=tools/wine_env.sh
source "$repo/tools/wine_env.sh"

passed=0
failed=0
program_pid=
pass() { passed=$((passed + 1)); }
fail() {
    failed=$((failed + 1))
    echo "FAIL: $*"
}
check() {
    local name=$1
    shift
    if "$@"; then pass; else fail "$name"; fi
}
cleanup() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null
    [ -n "${WINEPREFIX:-}" ] && "$WINESERVER" -k 2>/dev/null
    stop_xvfb
}
trap cleanup EXIT

# The one version, from the project, everywhere.
version=$(sed -n 's/^project(crossrect VERSION \([0-9.]*\) .*/\1/p' "$repo/CMakeLists.txt")
zip=$dist/crossrect-$version-win64.zip
check "version $version found in CMakeLists.txt" test -n "$version"
check "the package is named $(basename "$zip")" test -f "$zip"
check "crossrect-cli --version says $version" test "$("$cli" --version)" = "crossrect-cli $version"
[ -f "$zip" ] || { echo "$passed passed, $failed failed"; exit 1; }
check "contents" python3 "$here/zip_check.py" "$zip" "$version" "$repo"

# The same files packed again give the same bytes (dated as the package
# is, which is the date of the commit it was made from).
unpacked=$outdir/unpacked
mkdir -p "$unpacked"
python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])' "$zip" "$unpacked"
packed=$(python3 -c 'import calendar, sys, zipfile
print(calendar.timegm(zipfile.ZipFile(sys.argv[1]).infolist()[0].date_time + (0, 0, 0)))' "$zip")
SOURCE_DATE_EPOCH=$packed python3 "$repo/tools/make_release.py" --version "$version" \
    --exe "$unpacked/crossrect.exe" --out "$outdir/again" >/dev/null
check "packed again: identical bytes" cmp -s "$zip" "$outdir/again/$(basename "$zip")"

# wait_window SECONDS: the form's window id once it is visible.
wait_window() {
    local deadline=$((SECONDS + $1)) wid
    while [ $SECONDS -le $deadline ]; do
        wid=$(xdotool search --onlyvisible --name "$form_title" 2>/dev/null | head -1)
        [ -n "$wid" ] && echo "$wid" && return 0
        sleep 0.1
    done
    return 1
}

# window_answer NAME [SETTINGS...]: the unpacked program in a folder of its
# own with the sample (and a settings file with these lines), confirmed
# with Enter; the folder is $outdir/NAME.
window_answer() {
    local folder=$outdir/$1
    shift
    mkdir -p "$folder"
    cp "$unpacked/crossrect.exe" "$sample" "$folder/"
    [ $# -gt 0 ] && printf '%s\r\n' "$@" >"$folder/crossrect.dat"
    "$WINE" "$folder/crossrect.exe" >/dev/null 2>&1 &
    program_pid=$!
    local wid
    wid=$(wait_window 30) || { fail "$(basename "$folder"): the window did not appear"; return 1; }
    xdotool windowfocus --sync "$wid" 2>/dev/null
    xdotool key Return
    local deadline=$((SECONDS + 30))
    while kill -0 "$program_pid" 2>/dev/null && [ $SECONDS -le $deadline ]; do sleep 0.1; done
    kill "$program_pid" 2>/dev/null && fail "$(basename "$folder"): the program did not end"
    wait "$program_pid" 2>/dev/null
    program_pid=
}

# cli_answer NAME [SETTINGS...]: crossrect-cli run on the sample with the
# same settings file; the result in $outdir/NAME.cli/JWC_TEMP.TXT.
cli_answer() {
    local folder=$outdir/$1.cli
    shift
    mkdir -p "$folder"
    cp "$sample" "$folder/"
    [ $# -gt 0 ] && printf '%s\r\n' "$@" >"$folder/crossrect.dat"
    "$cli" run --dir "$folder" --settings "$folder/crossrect.dat" ||
        fail "crossrect-cli run failed"
}

same_answer() {
    local name=$1
    shift
    window_answer "$name" "$@" || return
    cli_answer "$name" "$@"
    local rectangles
    rectangles=$(grep -c '^[-0-9.E]* [-0-9.E]* [-0-9.E]* [-0-9.E]*.$' "$outdir/$name/JWC_TEMP.TXT")
    check "$name: the window drew rectangles" test "$rectangles" -gt 0
    check "$name: the window's answer ($rectangles line records) is crossrect-cli's" \
        cmp -s "$outdir/$name/JWC_TEMP.TXT" "$outdir/$name.cli/JWC_TEMP.TXT"
    check "$name: the same settings saved" \
        cmp -s "$outdir/$name/crossrect.dat" "$outdir/$name.cli/crossrect.dat"
}

start_xvfb || exit 1
make_prefix "$outdir/prefix" N
"$WINESERVER" -p
# First start: no settings file, the defaults. Then the demo's values:
# 3 x 3 paper mm centred, a pen and an angle.
same_answer defaults
same_answer chosen 0 0 3 2 25 3 3 30 0 1 4

# --- As Jw_cad starts the command: through the launcher ---

# host_run FOLDER DRAWING ACTION...: the substitute host around FOLDER's
# launcher; each ACTION (xdotool arguments) goes to the window once it
# shows. The host's report in $report.
host_run() {
    local folder=$1 drawing=$2 wid action words
    shift 2
    python3 "$here/substitute_host.py" "$WINE" "$folder/crossrect.bat" "$drawing" "$outdir/host" \
        >"$outdir/report" 2>&1 &
    program_pid=$!
    if wid=$(wait_window 30); then
        xdotool windowfocus --sync "$wid" 2>/dev/null
        for action in "$@"; do
            read -ra words <<<"$action"
            xdotool "${words[@]}"
        done
    else
        kill "$program_pid" 2>/dev/null
    fi
    wait "$program_pid"
    program_pid=
    report=$(cat "$outdir/report")
}

# install FOLDER: the unpacked package, as a user puts it anywhere.
install() {
    mkdir -p "$1"
    cp "$unpacked"/* "$1/"
}

mkdir -p "$outdir/host"
printf 'hq\r\n' | cat - "$sample" >"$outdir/as_host_writes.txt"
mkdir -p "$outdir/hq.cli"
cp "$outdir/as_host_writes.txt" "$outdir/hq.cli/JWC_TEMP.TXT"
"$cli" run --dir "$outdir/hq.cli" --settings "$outdir/hq.cli/crossrect.dat" >/dev/null ||
    fail "crossrect-cli run failed"
check "a leading \"hq\" changes nothing in what is read" \
    cmp -s "$outdir/hq.cli/JWC_TEMP.TXT" "$outdir/defaults.cli/JWC_TEMP.TXT"

# Two segments crossing at (5, 5) and a dimension-attributed one across both.
dimensioned=$outdir/dimensioned.txt
printf '%s\r\n' lg0 ly1 lc2 lt1 lw0 '0 0 10 10' '0 10 10 0' z3 '0 8 10 8' >"$dimensioned"
for folder in "$outdir/plain/crossrect" "$outdir/外部変形 ツール/crossrect"; do
    name=${folder#"$outdir/"}
    install "$folder"
    host_run "$folder" "$sample" "key Return"
    check "$name: Enter: the host draws ($report)" test "${report%% *}" = drawn
    check "$name: Enter: the answer is crossrect-cli's" \
        cmp -s "$folder/JWC_TEMP.TXT" "$outdir/hq.cli/JWC_TEMP.TXT"
    host_run "$folder" "$sample" "key Escape"
    check "$name: Escape: $report" test "$report" = "nothing drawn"
    host_run "$folder" "$dimensioned" "key Tab Tab" "type 37" "key Return"
    check "$name: one rectangle, the dimension left out, the typed width ($report)" \
        test "$report" = "drawn 4 segments with lg0 ly1 lc2 lt1 lw37 in 5 5 15 15"
done

# Without #cd the host writes the file into its own folder: the program
# beside the launcher finds no segments and hands back no line record, and
# the host draws nothing.
folder="$outdir/外部変形 ツール/no-cd"
install "$folder"
grep -av '^REM #cd' "$unpacked/crossrect.bat" >"$folder/crossrect.bat"
host_run "$folder" "$sample" "key Return"
check "no #cd: $report" test "$report" = "nothing drawn"
check "no #cd: the program read no segments" \
    test "$(grep -c ' .* .* ' "$folder/JWC_TEMP.TXT")" = 0
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
