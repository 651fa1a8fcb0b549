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

# Each case: options given twice, and the single options they must equal.
while IFS='|' read -r name twice once; do
    dir=$(fresh "$name")
    eval "set -- $twice"
    exit_code "$name: twice" 0 "$CLI" run --dir "$dir" --settings "$dir/twice.dat" \
        --out "$dir/twice.txt" "$@"
    eval "set -- $once"
    exit_code "$name: once" 0 "$CLI" run --dir "$dir" --settings "$dir/once.dat" \
        --out "$dir/once.txt" "$@"
    same_bytes "$name: the last value counts" "$dir/once.txt" "$dir/twice.txt"
    same_bytes "$name: the last value saved" "$dir/once.dat" "$dir/twice.dat"
done <<'CASES'
width|--width 3 --width 5|--width 5
reference point|--ref 8 --ref 4|--ref 4
unit|--width-unit 1 --width-unit 0|--width-unit 0
angle and width|--angle 10 --width 2 --angle 45 --width 4|--angle 45 --width 4
colour|--color-index 3 --color-index 12|--color-index 12
CASES

# The last --dir and --out count too.
dir=$(fresh last_dir)
exit_code "--dir twice" 0 "$CLI" run --dir "$SCRATCH/nowhere" --dir "$dir" \
    --settings "$dir/s.dat" --out "$SCRATCH/first.txt" --out "$dir/out.txt" --ref 4
same_bytes "--dir twice: the last folder" "$RUN/overview.expected" "$dir/out.txt"
check "--out twice: only the last file" test ! -e "$SCRATCH/first.txt"

# A bad value is refused wherever it stands.
for bad in "--ref 10 --ref 4" "--ref 4 --ref 10" "--color-index 3 --color-index x"; do
    dir=$(fresh refused)
    eval "set -- $bad"
    exit_code "refused: $bad" 2 "$CLI" run --dir "$dir" --settings "$dir/s.dat" \
        --out "$dir/out.txt" "$@"
    check "refused: $bad: nothing written" test ! -e "$dir/out.txt" -a ! -e "$dir/s.dat"
done
# inspect takes one file; a second one is a mistake, not a choice.
exit_code "inspect: two files" 2 "$CLI" inspect "$RUN/overview.txt" "$RUN/overview.txt"

summary
