# crossrect-cli render: the picture of a selection and its answer. Checked
# with an XML parser (one rectangle line per line record, everything placed
# inside the picture, a sensible scale bar, the legend's counts, the enlarged
# crossing), rendered to PNG, and compared with the picture the
# documentation shows; bad input fails with a message.
source "$(dirname "$0")/lib/common.bash"
REPO=$(cd "$HERE/../../.." && pwd)
SAMPLE=$REPO/samples/floorplan
PEN=(lg0 ly1 lc2 lt1 lw0)

# svg_ok NAME SVG ARGS...: svg_check.py passes.
svg_ok() {
    local name=$1
    shift
    if python3 "$HERE/svg_check.py" "$@"; then pass; else fail "$name: picture"; fi
}

# png_of NAME SVG PNG: rsvg-convert renders it at the size the SVG gives.
png_of() {
    if ! command -v rsvg-convert >/dev/null; then
        fail "$1: rsvg-convert missing (make deps-check installs librsvg2-bin)"
        return
    fi
    if rsvg-convert "$2" -o "$3" 2>"$SCRATCH/rsvg.err"; then pass; else fail "$1: rsvg-convert: $(cat "$SCRATCH/rsvg.err")"; fi
    local size
    size=$(python3 -c 'import struct,sys; d=open(sys.argv[1],"rb").read(24); print("%dx%d" % struct.unpack(">II", d[16:24]))' "$3")
    local want
    want=$(python3 -c 'import sys,xml.etree.ElementTree as E; r=E.parse(sys.argv[1]).getroot(); print(r.get("width")+"x"+r.get("height"))' "$2")
    check "$1: PNG is $want, not $size" test "$size" = "$want"
}

# The sample as the demo draws it; the documentation's picture is this one.
mkdir -p "$SCRATCH/sample"
cp "$SAMPLE/JWC_TEMP.TXT" "$SCRATCH/sample/"
exit_code "sample: run" 0 "$CLI" run --dir "$SCRATCH/sample" --settings "$SCRATCH/sample/s.dat" \
    --width 3 --height 3 --ref 4 --status-log "$SCRATCH/sample.status"
# The guide tells the numbers of this picture.
segments=$(head -n 1 "$SCRATCH/sample.status" | sed 's/^線分：//')
records=$(grep -c $'^[-0-9.E]* [-0-9.E]* [-0-9.E]* [-0-9.E]*\r$' "$SCRATCH/sample/JWC_TEMP.TXT")
check "the guide's example: $segments segments, $((records / 4)) rectangles" \
    grep -q "選択した線分 $segments 本から $((records / 4)) 個の矩形" "$REPO/docs/README_ja.txt"
exit_code "sample: render" 0 "$CLI" render --dir "$SAMPLE" --answer "$SCRATCH/sample/JWC_TEMP.TXT" \
    --svg "$SCRATCH/sample.svg"
check "sample: quiet" test ! -s "$SCRATCH/stderr"
svg_ok sample "$SCRATCH/sample.svg" --answer "$SCRATCH/sample/JWC_TEMP.TXT" --counts 221 2 1 --inset
png_of sample "$SCRATCH/sample.svg" "$SCRATCH/sample.png"
differing=$(/usr/bin/compare -metric AE "$REPO/docs/example.png" "$SCRATCH/sample.png" \
    "$SCRATCH/diff.png" 2>&1)
check "docs/example.png is the sample's picture ($differing pixels differ; tools/make-example.sh redraws it)" \
    test "$differing" = 0

# Excluded segments, a dimension line and plain segments go to their own
# groups; rectangle sides keep the answer's numbers exactly, exponents too.
mkdir -p "$SCRATCH/kinds"
crlf_file "$SCRATCH/kinds/JWC_TEMP.TXT" "${PEN[@]}" "-5 0 5 0" "0 -5 0 5" z3 "-5 -5 5 5" \
    msg "-5 -8 5 -8" 'cs 0 -7 1 0 "10' "#"
crlf_file "$SCRATCH/kinds.answer" "${PEN[@]}" "0 0 6.12323399573677E-16 10" \
    "6.12323399573677E-16 10 -10 10" "-10 10 -10 6.12323399573677E-16" \
    "-10 6.12323399573677E-16 0 0"
exit_code "kinds" 0 "$CLI" render --dir "$SCRATCH/kinds" --answer "$SCRATCH/kinds.answer" \
    --svg "$SCRATCH/kinds.svg"
svg_ok kinds "$SCRATCH/kinds.svg" --answer "$SCRATCH/kinds.answer" --counts 2 1 1 --inset
check "kinds: only the excluded lines dashed" \
    test "$(grep -o '<g id="[a-z-]*"[^>]*stroke-dasharray' "$SCRATCH/kinds.svg" | cut -d'"' -f2)" = excluded
check "kinds: a slash at each end of the dimension line" \
    grep -qx '<path d="M[^M"]*M[^M"]*"/>' "$SCRATCH/kinds.svg"
check "kinds: 左下 on the crossing" grep -q '基準点「左下」' "$SCRATCH/kinds.svg"
png_of kinds "$SCRATCH/kinds.svg" "$SCRATCH/kinds.png"

# Without an answer, with "hq", with an empty selection, a flat one, a
# point, one spanning nearly the whole range of numbers and a minute one:
# still a well-formed picture with every line inside it.
crlf_file "$SCRATCH/hq" hq
mkdir -p "$SCRATCH/empty" "$SCRATCH/flat" "$SCRATCH/point" "$SCRATCH/huge" "$SCRATCH/minute"
: >"$SCRATCH/empty/JWC_TEMP.TXT"
crlf_file "$SCRATCH/flat/JWC_TEMP.TXT" "0 0 1000 0" "0 0.001 1000 0.001" "1E-5 -1 1E-5 1"
crlf_file "$SCRATCH/point/JWC_TEMP.TXT" "5 5 5 5"
crlf_file "$SCRATCH/huge/JWC_TEMP.TXT" "-1.7E308 -1E308 1.7E308 1E308" "0 -1E308 0 1E308"
crlf_file "$SCRATCH/minute/JWC_TEMP.TXT" "1E-300 0 2E-300 0" "1.5E-300 -1E-300 1.5E-300 1E-300"
for case in "no answer|$SCRATCH/kinds|" "hq|$SCRATCH/kinds|$SCRATCH/hq" \
    "empty|$SCRATCH/empty|$SCRATCH/hq" "flat|$SCRATCH/flat|" "point|$SCRATCH/point|" \
    "huge|$SCRATCH/huge|" "minute|$SCRATCH/minute|"; do
    IFS='|' read -r name dir answer <<<"$case"
    args=(--dir "$dir" --svg "$SCRATCH/$name.svg")
    [ -n "$answer" ] && args+=(--answer "$answer")
    exit_code "$name" 0 "$CLI" render "${args[@]}"
    svg_ok "$name" "$SCRATCH/$name.svg" --answer "${answer:-/dev/null}"
    png_of "$name" "$SCRATCH/$name.svg" "$SCRATCH/$name.png"
done

# Bad input: no selection file, no answer file, a picture that cannot be
# written (exit 1, with a message); no --svg (exit 2). A repeated option
# takes its last value.
exit_code "no selection" 1 "$CLI" render --dir "$SCRATCH/nowhere" --svg "$SCRATCH/x.svg"
check "no selection: says which file" grep -q 'nowhere' "$SCRATCH/stderr"
check "no selection: no picture" test ! -e "$SCRATCH/x.svg"
exit_code "no answer" 1 "$CLI" render --dir "$SCRATCH/kinds" --answer "$SCRATCH/missing.txt" \
    --svg "$SCRATCH/x.svg"
check "no answer: says which file" grep -q 'missing.txt' "$SCRATCH/stderr"
exit_code "answer is a folder" 1 "$CLI" render --dir "$SCRATCH/kinds" --answer "$SCRATCH/kinds" \
    --svg "$SCRATCH/x.svg"
exit_code "unwritable picture" 1 "$CLI" render --dir "$SCRATCH/kinds" \
    --svg "$SCRATCH/missing/x.svg"
check "unwritable picture: says which file" grep -q 'x.svg' "$SCRATCH/stderr"
exit_code "no --svg" 2 "$CLI" render --dir "$SCRATCH/kinds"
exit_code "repeated --svg" 0 "$CLI" render --dir "$SCRATCH/kinds" --svg "$SCRATCH/first.svg" \
    --svg "$SCRATCH/last.svg"
check "repeated --svg: the last one" test -s "$SCRATCH/last.svg" -a ! -e "$SCRATCH/first.svg"

summary
