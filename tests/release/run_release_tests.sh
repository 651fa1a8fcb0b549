#!/usr/bin/env bash
# The Windows release package as a user gets it:
#   run_release_tests.sh DIST CLI OUTDIR
# DIST holds crossrect-<version>-win64.zip (make release), CLI is the Linux
# crossrect-cli. Checks the version everywhere, the zip's contents, that
# packaging the same files again gives the same bytes, and that the
# unpacked crossrect.exe, run under Wine in a real window on the sample
# drawing and confirmed with Enter, hands back exactly what crossrect-cli
# run does with the same settings. Ends with "N passed, N failed".
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
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
