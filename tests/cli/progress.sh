# crossrect-cli run: a progress bar on a terminal, and nothing at all on a
# standard error that is no terminal.
source "$(dirname "$0")/lib/common.bash"

# Enough segments for a sweep that takes a moment: a grid of 40 + 40 lines.
lines=()
for i in $(seq 0 39); do lines+=("$i 0 $i 40" "0 $i.5 40 $i.5"); done
mkdir -p "$SCRATCH/grid"
crlf_file "$SCRATCH/grid/JWC_TEMP.TXT" lg0 ly0 "${lines[@]}"

exit_code "no terminal" 0 "$CLI" run --dir "$SCRATCH/grid" --settings "$SCRATCH/grid/s.dat" \
    --width 0.2 --height 0.2
check "no terminal: stderr empty" test ! -s "$SCRATCH/stderr"
check "no terminal: stdout empty" test ! -s "$SCRATCH/stdout"
records=$(grep -c '^[0-9.]* [0-9.]* [0-9.]* [0-9.]*.$' "$SCRATCH/grid/JWC_TEMP.TXT")
check "grid: 1600 rectangles" test "$records" -eq 6400

if command -v script >/dev/null; then
    crlf_file "$SCRATCH/grid/JWC_TEMP.TXT" lg0 ly0 "${lines[@]}"
    cmd=$(printf '%q ' "$CLI" run --dir "$SCRATCH/grid" --settings "$SCRATCH/grid/s.dat")
    script -qec "$cmd" /dev/null >"$SCRATCH/tty.txt" 2>&1
    check "terminal: bar drawn" grep -q '\[#' "$SCRATCH/tty.txt"
    check "terminal: bar completes" grep -q '100%  80/80' "$SCRATCH/tty.txt"
    # One frame per 50 ms at most, plus the last: far fewer than 79 steps.
    frames=$(tr '\r' '\n' <"$SCRATCH/tty.txt" | grep -c '^\[')
    check "terminal: redraws throttled ($frames frames)" test "$frames" -lt 20
else
    echo "script(1) not found: terminal checks skipped"
fi

summary
