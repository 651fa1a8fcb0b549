# crossrect-cli: the version it reports, and options given more than once:
# the last value counts, as on other command lines, while every value is
# still checked.
source "$(dirname "$0")/lib/common.bash"
RUN=$DATA/run
REPO=$(cd "$HERE/../../.." && pwd)

version=$(sed -n 's/^project(crossrect VERSION \([0-9.]*\) .*/\1/p' "$REPO/CMakeLists.txt")
exit_code "--version" 0 "$CLI" --version
check "--version is the project's $version" test "$(cat "$SCRATCH/stdout")" = "crossrect-cli $version"

# fresh NAME: a folder with the two crossing segments of the overview.
fresh() {
    mkdir -p "$SCRATCH/$1"
    cp "$RUN/overview.txt" "$SCRATCH/$1/JWC_TEMP.TXT"
    echo "$SCRATCH/$1"
}

# same_answer NAME OPTIONS EXPECTED_OPTIONS: both runs write the same answer
# and save the same settings.
same_answer() {
    local name=$1 given=$2 expected=$3 dir
    dir=$(fresh "$name")
    eval "set -- $given"
    exit_code "$name: given" 0 "$CLI" run --dir "$dir" --settings "$dir/given.dat" \
        --out "$dir/given.txt" "$@"
    eval "set -- $expected"
    exit_code "$name: expected" 0 "$CLI" run --dir "$dir" --settings "$dir/expected.dat" \
        --out "$dir/expected.txt" "$@"
    same_bytes "$name: the answer" "$dir/expected.txt" "$dir/given.txt"
    same_bytes "$name: the settings" "$dir/expected.dat" "$dir/given.dat"
}

# Options given twice: the last value counts. Full-width texts, as Japanese
# input types them: read as their ASCII forms.
while IFS='|' read -r name given expected; do
    same_answer "$name" "$given" "$expected"
done <<'CASES'
width|--width 3 --width 5|--width 5
reference point|--ref 8 --ref 4|--ref 4
unit|--width-unit 1 --width-unit 0|--width-unit 0
angle and width|--angle 10 --width 2 --angle 45 --width 4|--angle 45 --width 4
colour|--color-index 3 --color-index 12|--color-index 12
full-width angle|--angle ４５|--angle 45
full-width signs|--angle －２２．５ --width １０|--angle -22.5 --width 10
kana mode|--angle ー１２。５|--angle -12.5
minus sign|--angle −３０|--angle -30
full-width exponent|--width ５．５ --height １ｅ１|--width 5.5 --height 1e1
ideographic space|--line-width １００ --angle 　３０|--line-width 100 --angle ' 30'
full-width hexadecimal|--line-width ＄１Ｆ --angle ０ｘ１ａ|--line-width '$1F' --angle 0x1a
CASES
# The last --dir and --out count too.
dir=$(fresh last_dir)
exit_code "--dir twice" 0 "$CLI" run --dir "$SCRATCH/nowhere" --dir "$dir" \
    --settings "$dir/s.dat" --out "$SCRATCH/first.txt" --out "$dir/out.txt" --ref 4
same_bytes "--dir twice: the last folder" "$RUN/overview.expected" "$dir/out.txt"
check "--out twice: only the last file" test ! -e "$SCRATCH/first.txt"

# A bad value is refused wherever it stands.
for bad in "--ref 10 --ref 4" "--ref 4 --ref 10" "--color-index 3 --color-index x" \
    "--width ａｂｃ"; do
    dir=$(fresh refused)
    eval "set -- $bad"
    exit_code "refused: $bad" 2 "$CLI" run --dir "$dir" --settings "$dir/s.dat" \
        --out "$dir/out.txt" "$@"
    check "refused: $bad: nothing written" test ! -e "$dir/out.txt" -a ! -e "$dir/s.dat"
done
# inspect takes one file; a second one is a mistake, not a choice.
exit_code "inspect: two files" 2 "$CLI" inspect "$RUN/overview.txt" "$RUN/overview.txt"

summary
