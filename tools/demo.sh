#!/usr/bin/env bash
# Runs crossrect-cli on the bundled floor plan in a temporary folder, as the
# window would with 3 x 3 paper-mm rectangles centred on each crossing, and
# shows what came back: segments read, rectangles drawn, the result file,
# and a picture of both (demo.svg beside the result).
# Usage: tools/demo.sh [path/to/crossrect-cli]
#        (default: $CROSSRECT_CLI, else build/native/crossrect-cli)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cli=${1:-${CROSSRECT_CLI:-$root/build/native/crossrect-cli}}
if [ ! -x "$cli" ]; then
    echo "demo: $cli not found; build it first:" >&2
    echo "  cmake --preset native && cmake --build build/native --target crossrect-cli" >&2
    exit 1
fi

tmp=$(mktemp -d "${TMPDIR:-/tmp}/crossrect-demo.XXXXXX")
cp "$root/samples/floorplan/JWC_TEMP.TXT" "$tmp/"
"$cli" run --dir "$tmp" --settings "$tmp/crossrect.dat" --status-log "$tmp/status.txt" \
    --width 3 --height 3 --ref 4
"$cli" render --dir "$root/samples/floorplan" --answer "$tmp/JWC_TEMP.TXT" --svg "$tmp/demo.svg"

result=$tmp/JWC_TEMP.TXT
segments=$(head -n 1 "$tmp/status.txt" | sed 's/^線分：//')
# A line record is four numbers; each rectangle is four records.
records=$(tr -d '\r' <"$result" | grep -cE '^(-?[0-9.]+(E-?[0-9]+)? ?){4}$' || true)
echo "segments read:    $segments"
echo "rectangles drawn: $((records / 4)) ($records line records)"
echo "result file:      $result"
echo "picture:          $tmp/demo.svg (open it in a browser)"
echo "first lines:"
head -n 9 "$result" | tr -d '\r' | sed 's/^/  /'
