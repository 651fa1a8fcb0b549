# crossrect-cli run: the rewritten exchange file, byte for byte, for worked
# examples of placement, rotation, units and pen options; the status log; the
# settings saved; --out.
source "$(dirname "$0")/lib/common.bash"
RUN=$DATA/run
PEN=(lg0 ly1 lc2 lt1 lw0)

# run_case NAME OPTIONS... : runs on $SCRATCH/NAME (input already there) and
# compares the result with $SCRATCH/NAME.expected.
run_case() {
    local name=$1
    shift
    local dir=$SCRATCH/$name
    exit_code "$name" 0 "$CLI" run --dir "$dir" --settings "$dir/crossrect.dat" "$@"
    check "$name: quiet on stderr" test ! -s "$SCRATCH/stderr"
    same_bytes "$name" "$SCRATCH/$name.expected" "$dir/JWC_TEMP.TXT"
}

# case_input NAME LINE... / case_expected NAME LINE...
case_input() {
    mkdir -p "$SCRATCH/$1"
    crlf_file "$SCRATCH/$1/JWC_TEMP.TXT" "${@:2}"
}
case_expected() { crlf_file "$SCRATCH/$1.expected" "${@:2}"; }

# Two segments crossing at (5, 5), centre reference, 10 x 10.
mkdir -p "$SCRATCH/overview"
cp "$RUN/overview.txt" "$SCRATCH/overview/JWC_TEMP.TXT"
cp "$RUN/overview.expected" "$SCRATCH/overview.expected"
run_case overview --ref 4 --width 10 --height 10 --angle 0 \
    --status-log "$SCRATCH/overview/status.txt"
same_bytes "overview: status log" "$RUN/overview.status" "$SCRATCH/overview/status.txt"
same_bytes "overview: settings as entered" "$RUN/overview.settings" \
    "$SCRATCH/overview/crossrect.dat"

# Crossing at (100, 50), W 10, H 6: centre at 0 degrees, lower left at 90.
case_input centre "${PEN[@]}" "90 50 110 50" "100 40 100 60"
case_expected centre "${PEN[@]}" "95 47 105 47" "105 47 105 53" "105 53 95 53" "95 53 95 47"
run_case centre --ref 4 --width 10 --height 6 --angle 0
case_input turned "${PEN[@]}" "90 50 110 50" "100 40 100 60"
case_expected turned "${PEN[@]}" "100 50 100 60" "100 60 94 60" "94 60 94 50" "94 50 100 50"
run_case turned --ref 0 --width 10 --height 6 --angle 90

# Coordinates are not snapped: cos 90 degrees times 10 stays visible.
case_input unsnapped "${PEN[@]}" "-5 0 5 0" "0 -5 0 5"
case_expected unsnapped "${PEN[@]}" "0 0 6.12323399573677E-16 10" \
    "6.12323399573677E-16 10 -10 10" "-10 10 -10 6.12323399573677E-16" \
    "-10 6.12323399573677E-16 0 0"
run_case unsnapped --ref 0 --width 10 --height 10 --angle 90

# Units: paper coordinates ("bz") take a real-mm width divided by the scale;
# real coordinates take a paper-mm height multiplied by it.
SCALE100=(hs 100 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1)
case_input paper bz "${SCALE100[*]}" "${PEN[@]}" "-10 0 10 0" "0 -10 0 10"
case_expected paper bz "${PEN[@]}" "0 0 5 0" "5 0 5 3" "5 3 0 3" "0 3 0 0"
run_case paper --ref 0 --width 500 --width-unit 1 --height 3 --height-unit 0
case_input real "${SCALE100[*]}" "${PEN[@]}" "-10 0 10 0" "0 -10 0 10"
case_expected real "${PEN[@]}" "0 0 2 0" "2 0 2 300" "2 300 0 300" "0 300 0 0"
run_case real --ref 0 --width 2 --width-unit 1 --height 3 --height-unit 0

# Pen options map list positions to the host's numbers; the last positions
# of each list are valid.
case_input pens "${PEN[@]}" "0 0 1 1" "0 1 1 0"
case_expected pens lg0 ly1 lc101 lt31 lw35 "0.5 0.5 1.5 0.5" "1.5 0.5 1.5 1.5" \
    "1.5 1.5 0.5 1.5" "0.5 1.5 0.5 0.5"
run_case pens --color-index 10 --linetype-index 19 --line-width 35 --width 1 --height 1
case_input last_items "${PEN[@]}"
case_expected last_items lg0 ly1 lc356 lt62 lw0
run_case last_items --color-index 265 --linetype-index 50

# Without "lw" in the input no width is written; without an input file only
# the pen commands come back, with the host defaults.
case_input no_lw lg3 lyA lc5 lt2
case_expected no_lw lg3 lyA lc5 lt2
run_case no_lw --line-width 50
mkdir -p "$SCRATCH/no_input"
case_expected no_input lg0 ly0 lc1 lt1
run_case no_input --status-log "$SCRATCH/no_input.status"
check "no input: status" grep -qx '線分：0' "$SCRATCH/no_input.status"

# Status texts: one progress text per outer step, n - 1 of them.
case_input progress "${PEN[@]}" "0 0 4 4" "0 4 4 0" "0 1 4 1" "0 3 4 3"
printf '%s\n' '線分：4' '線分データ参照中です' '線分データ交点計算中(1／4)' \
    '線分データ交点計算中(2／4)' '線分データ交点計算中(3／4)' 'ファイル生成中です' \
    >"$SCRATCH/progress.status"
exit_code "progress" 0 "$CLI" run --dir "$SCRATCH/progress" \
    --settings "$SCRATCH/progress/crossrect.dat" --status-log "$SCRATCH/progress/log.txt"
same_bytes "progress: status log" "$SCRATCH/progress.status" "$SCRATCH/progress/log.txt"

# --out leaves the input untouched.
mkdir -p "$SCRATCH/out"
cp "$RUN/overview.txt" "$SCRATCH/out/JWC_TEMP.TXT"
exit_code "out" 0 "$CLI" run --dir "$SCRATCH/out" --settings "$SCRATCH/out/s.dat" \
    --out "$SCRATCH/out/result.txt" --ref 4
same_bytes "out: input untouched" "$RUN/overview.txt" "$SCRATCH/out/JWC_TEMP.TXT"
same_bytes "out: result" "$RUN/overview.expected" "$SCRATCH/out/result.txt"

# A folder with a Japanese name, given as UTF-8.
mkdir -p "$SCRATCH/図面 フォルダ"
cp "$RUN/overview.txt" "$SCRATCH/図面 フォルダ/JWC_TEMP.TXT"
exit_code "japanese folder" 0 "$CLI" run --dir "$SCRATCH/図面 フォルダ" \
    --settings "$SCRATCH/図面 フォルダ/設定.dat" --ref 4
same_bytes "japanese folder" "$RUN/overview.expected" "$SCRATCH/図面 フォルダ/JWC_TEMP.TXT"

summary
