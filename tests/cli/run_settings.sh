# crossrect-cli run: loaded settings pass through the window's controls as at
# show (positions outside a list select nothing, odd units and reference
# points show item 0, reals pass through their 15-digit text) and are saved
# as the OK button reads them back. The default settings file lives beside
# the executable.
source "$(dirname "$0")/lib/common.bash"
RUN=$DATA/run

# settings_case NAME "LOADED LINES" "SAVED LINES" EXPECTED_PEN OPTIONS...
# Lines are given space-separated, in file order.
settings_case() {
    local name=$1 loaded=$2 saved=$3 pen=$4
    shift 4
    local dir=$SCRATCH/$name
    mkdir -p "$dir"
    cp "$RUN/overview.txt" "$dir/JWC_TEMP.TXT"
    # shellcheck disable=SC2086
    crlf_file "$dir/crossrect.dat" $loaded
    # shellcheck disable=SC2086
    crlf_file "$SCRATCH/$name.saved" $saved
    exit_code "$name" 0 "$CLI" run --dir "$dir" --settings "$dir/crossrect.dat" "$@"
    same_bytes "$name: saved" "$SCRATCH/$name.saved" "$dir/crossrect.dat"
    local got
    got=$(head -5 "$dir/JWC_TEMP.TXT" | tr -d '\r' | tr '\n' ' ')
    if [ "$got" = "$pen " ]; then pass; else fail "$name: pen lines '$got', expected '$pen'"; fi
}

#             name      loaded (file order: left top colour type width W H angle Wunit Hunit ref)
settings_case kept      "120 -30 3 2 25 2.5 1.5 -30 1 1 8" \
                        "120 -30 3 2 25 2.5 1.5 -30 1 1 8"       "lg0 ly1 lc3 lt2 lw25"
settings_case outside   "0 0 266 51 0 10 10 0 5 -1 9" \
                        "0 0 -1 -1 0 10 10 0 0 0 0"             "lg0 ly1 lc2 lt1 lw0"
settings_case negative  "0 0 -3 -1 -7 -5 -6 -45 0 0 -2" \
                        "0 0 -1 -1 -7 5 6 -45 0 0 0"            "lg0 ly1 lc2 lt1 lw0"
settings_case digits    "0 0 0 0 0 12.3456789012345678 0.00001 1E-5 0 0 4" \
                        "0 0 0 0 0 12.3456789012346 1E-5 1E-5 0 0 4" "lg0 ly1 lc2 lt1 lw0"
# The empty tenth reference item can be chosen; it is saved and acts as 0.
settings_case tenth     "0 0 0 0 0 10 10 0 0 0 4" \
                        "0 0 0 0 0 10 10 0 0 0 9"               "lg0 ly1 lc2 lt1 lw0" --ref 9
# Options replace what was loaded; the window position stays as loaded.
settings_case replaced  "7 8 300 0 0 10 10 0 0 0 0" \
                        "7 8 9 0 12 2 3 15.5 1 0 6"             "lg0 ly1 lc9 lt1 lw12" \
                        --color-index 9 --line-width 12 --width 2 --height 3 --angle 15.5 \
                        --width-unit 1 --ref 6
# Texts that are no number give 0; a line width with a fraction too.
settings_case texts     "0 0 0 0 0 10 10 0 0 0 0" \
                        "0 0 0 0 0 10 10 0 0 0 0"               "lg0 ly1 lc2 lt1 lw0" \
                        --line-width 12.5 --angle abc

# The tenth item acts as "lower left": same rectangle as --ref 0.
check "tenth item draws as lower left" grep -q '^5 5 15 5' "$SCRATCH/tenth/JWC_TEMP.TXT"

# A missing settings file gives the defaults, saved after OK.
mkdir -p "$SCRATCH/fresh"
cp "$RUN/overview.txt" "$SCRATCH/fresh/JWC_TEMP.TXT"
exit_code "fresh" 0 "$CLI" run --dir "$SCRATCH/fresh" --settings "$SCRATCH/fresh/new.dat"
crlf_file "$SCRATCH/fresh.saved" 0 0 0 0 0 10 10 0 0 0 0
same_bytes "fresh: defaults saved" "$SCRATCH/fresh.saved" "$SCRATCH/fresh/new.dat"

# Without --settings the file is crossrect.dat beside the executable.
mkdir -p "$SCRATCH/bin" "$SCRATCH/work"
cp "$CLI" "$SCRATCH/bin/crossrect-cli"
cp "$RUN/overview.txt" "$SCRATCH/work/JWC_TEMP.TXT"
(cd "$SCRATCH/work" && "$SCRATCH/bin/crossrect-cli" run --ref 4 >/dev/null 2>&1)
check "default settings beside the executable" test -f "$SCRATCH/bin/crossrect.dat"
check "default settings: not in the working folder" test ! -e "$SCRATCH/work/crossrect.dat"
same_bytes "default folder is the current one" "$RUN/overview.expected" \
    "$SCRATCH/work/JWC_TEMP.TXT"

summary
