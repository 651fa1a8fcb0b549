# crossrect-cli run and cancel: refused values, bad options and failed writes.
# A refusal or a usage error exits 2 and changes no file; a failed write
# exits 1 with a message.
source "$(dirname "$0")/lib/common.bash"
RUN=$DATA/run
WIDTH_MESSAGE='横幅の値を入力して下さい'
HEIGHT_MESSAGE='縦高の値を入力して下さい'

# A fresh folder with the input and a settings file, both to stay unchanged.
fresh_dir() {
    local dir=$SCRATCH/$1
    rm -rf "$dir"
    mkdir -p "$dir"
    cp "$RUN/overview.txt" "$dir/JWC_TEMP.TXT"
    cp "$RUN/overview.settings" "$dir/crossrect.dat"
    echo "$dir"
}

# nothing_changed NAME DIR: input and settings as before, no --out file.
nothing_changed() {
    same_bytes "$1: input untouched" "$RUN/overview.txt" "$2/JWC_TEMP.TXT"
    same_bytes "$1: settings untouched" "$RUN/overview.settings" "$2/crossrect.dat"
    check "$1: no result file" test ! -e "$2/out.txt"
    check "$1: no status log" test ! -e "$2/status.txt"
}

# refused NAME MESSAGE OPTIONS...
refused() {
    local name=$1 message=$2
    shift 2
    local dir
    dir=$(fresh_dir "$name")
    exit_code "$name" 2 "$CLI" run --dir "$dir" --settings "$dir/crossrect.dat" \
        --out "$dir/out.txt" --status-log "$dir/status.txt" "$@"
    if [ "$(cat "$SCRATCH/stderr")" = "$message" ]; then
        pass
    else
        fail "$name: stderr '$(cat "$SCRATCH/stderr")'"
    fi
    nothing_changed "$name" "$dir"
}

# The width is tested first; a height is only looked at after a valid width.
refused width_zero "$WIDTH_MESSAGE" --width 0
refused width_text "$WIDTH_MESSAGE" --width abc
refused width_negative "$WIDTH_MESSAGE" --width -3
refused width_empty "$WIDTH_MESSAGE" --width ""
refused width_at_tolerance "$WIDTH_MESSAGE" --width 1e-8
refused width_overflow "$WIDTH_MESSAGE" --width 1E400
refused width_before_height "$WIDTH_MESSAGE" --width 0 --height 0
refused height_tiny "$HEIGHT_MESSAGE" --height 1e-9
refused height_comma "$HEIGHT_MESSAGE" --width 5 --height 1,5

# A settings file that is empty loads every field as 0: the width is refused.
dir=$(fresh_dir empty_settings)
: >"$dir/crossrect.dat"
exit_code "empty settings" 2 "$CLI" run --dir "$dir" --settings "$dir/crossrect.dat"
check "empty settings: message" grep -qx "$WIDTH_MESSAGE" "$SCRATCH/stderr"
check "empty settings: still empty" test ! -s "$dir/crossrect.dat"
same_bytes "empty settings: input untouched" "$RUN/overview.txt" "$dir/JWC_TEMP.TXT"

# List positions must be plain decimal numbers within their lists.
for bad in "--color-index 266" "--color-index -1" "--color-index abc" "--color-index 1.5" \
    "--color-index 0x10" "--color-index +3" "--color-index ''" "--linetype-index 51" \
    "--width-unit 2" "--height-unit -1" "--ref 10" "--ref 4x" "--width-unit" \
    "--unknown 1" "--dir"; do
    dir=$(fresh_dir usage)
    eval "set -- $bad"
    exit_code "usage: $bad" 2 "$CLI" run --settings "$dir/crossrect.dat" \
        --out "$dir/out.txt" "$@"
    check "usage: $bad: says why" test -s "$SCRATCH/stderr"
    nothing_changed "usage: $bad" "$dir"
done
exit_code "no subcommand" 2 "$CLI"
exit_code "unknown subcommand" 2 "$CLI" draw
exit_code "help" 0 "$CLI" run --help
check "help lists the options" grep -q -- '--linetype-index' "$SCRATCH/stdout"

# Failed writes: the result file's folder is missing, or the target is a folder.
dir=$(fresh_dir write_missing)
exit_code "write: missing folder" 1 "$CLI" run --dir "$dir" --settings "$dir/crossrect.dat" \
    --out "$dir/missing/out.txt"
check "write: missing folder: message" grep -q 'out.txt' "$SCRATCH/stderr"
same_bytes "write: input untouched" "$RUN/overview.txt" "$dir/JWC_TEMP.TXT"
mkdir -p "$dir/folder"
exit_code "write: target is a folder" 1 "$CLI" run --dir "$dir" \
    --settings "$dir/crossrect.dat" --out "$dir/folder"
exit_code "write: missing exchange folder" 1 "$CLI" run --dir "$SCRATCH/nowhere" \
    --settings "$dir/crossrect.dat"
exit_code "cancel: missing folder" 1 "$CLI" cancel --dir "$SCRATCH/nowhere"
check "cancel: message" test -s "$SCRATCH/stderr"

# A status log that cannot be created is told, and the answer is written all
# the same (here the default options: the overview's answer with "左下").
dir=$(fresh_dir log_missing)
exit_code "status log: missing folder" 1 "$CLI" run --dir "$dir" \
    --settings "$dir/crossrect.dat" --status-log "$dir/missing/status.txt"
check "status log: told" grep -q "could not create .*missing/status.txt" "$SCRATCH/stderr"
"$CLI" run --dir "$(fresh_dir log_reference)" --settings "$SCRATCH/log_reference/crossrect.dat" \
    --out "$SCRATCH/log_reference.expected" >/dev/null 2>&1
same_bytes "status log: answer written" "$SCRATCH/log_reference.expected" "$dir/JWC_TEMP.TXT"
check "status log: no folder made" test ! -e "$dir/missing"

# Corners beyond the range of a double are not written; the run still ends well.
dir=$(fresh_dir infinite)
crlf_file "$dir/JWC_TEMP.TXT" "hs 1e300 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1" "-5 0 5 0" "0 -5 0 5"
exit_code "non-finite corners" 0 "$CLI" run --dir "$dir" --settings "$dir/crossrect.dat" \
    --width 1e10
check "non-finite corners: told" grep -q '^crossrect-cli: 1 rectangle' "$SCRATCH/stderr"
crlf_file "$SCRATCH/infinite.expected" lg0 ly0 lc1 lt1
same_bytes "non-finite corners: pen lines only" "$SCRATCH/infinite.expected" \
    "$dir/JWC_TEMP.TXT"

# A link that leads nowhere (dangling, or looping) cannot be written
# through and stays as it was: the message says so, not "removed".
for kind in dangling looping; do
    dir=$(fresh_dir "link-$kind")
    if [ $kind = dangling ]; then ln -s "$dir/missing/answer" "$dir/link"; else ln -s link "$dir/link"; fi
    exit_code "link $kind" 1 "$CLI" cancel --dir "$dir" --out "$dir/link"
    check "link $kind: told" grep -q "still a symbolic link that leads to no file" "$SCRATCH/stderr"
    check "link $kind: link kept" test -L "$dir/link"
done

summary
