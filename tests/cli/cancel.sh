# crossrect-cli cancel: the exchange file becomes the single line "hq"; no
# settings file is read or written.
source "$(dirname "$0")/lib/common.bash"
RUN=$DATA/run

# Run from a copy of the executable, so a settings file touched beside it
# would show.
mkdir -p "$SCRATCH/bin" "$SCRATCH/dir"
cp "$CLI" "$SCRATCH/bin/crossrect-cli"
crlf_file "$SCRATCH/bin/crossrect.dat" 1 2 3 4 5 6 7 8 1 1 4
cp "$SCRATCH/bin/crossrect.dat" "$SCRATCH/settings.before"
printf 'hq\r\n' >"$SCRATCH/hq.expected"

cp "$RUN/overview.txt" "$SCRATCH/dir/JWC_TEMP.TXT"
exit_code "cancel" 0 "$SCRATCH/bin/crossrect-cli" cancel --dir "$SCRATCH/dir"
same_bytes "cancel: hq" "$SCRATCH/hq.expected" "$SCRATCH/dir/JWC_TEMP.TXT"
check "cancel: quiet" test ! -s "$SCRATCH/stderr"
same_bytes "cancel: settings untouched" "$SCRATCH/settings.before" "$SCRATCH/bin/crossrect.dat"

# --out leaves the input as it was.
cp "$RUN/overview.txt" "$SCRATCH/dir/JWC_TEMP.TXT"
exit_code "cancel --out" 0 "$SCRATCH/bin/crossrect-cli" cancel --dir "$SCRATCH/dir" \
    --out "$SCRATCH/dir/answer.txt"
same_bytes "cancel --out: hq" "$SCRATCH/hq.expected" "$SCRATCH/dir/answer.txt"
same_bytes "cancel --out: input untouched" "$RUN/overview.txt" "$SCRATCH/dir/JWC_TEMP.TXT"

# Without --dir: the current folder, also when it holds no exchange file yet.
mkdir -p "$SCRATCH/empty"
(cd "$SCRATCH/empty" && "$SCRATCH/bin/crossrect-cli" cancel)
same_bytes "cancel in the current folder" "$SCRATCH/hq.expected" "$SCRATCH/empty/JWC_TEMP.TXT"
same_bytes "settings still untouched" "$SCRATCH/settings.before" "$SCRATCH/bin/crossrect.dat"

summary
