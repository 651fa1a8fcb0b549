#!/usr/bin/env bash
# Redraws docs/example.png, the picture of the bundled sample that the
# READMEs and the release package show: the demo's run (3 x 3 paper-mm
# rectangles centred on each crossing) drawn by crossrect-cli render and
# converted with rsvg-convert. tests/cli/render.sh checks it is current.
#   tools/make-example.sh [path/to/crossrect-cli]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cli=${1:-$root/build/native/crossrect-cli}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cp "$root/samples/floorplan/JWC_TEMP.TXT" "$tmp/"
"$cli" run --dir "$tmp" --settings "$tmp/s.dat" --width 3 --height 3 --ref 4
"$cli" render --dir "$root/samples/floorplan" --answer "$tmp/JWC_TEMP.TXT" --svg "$tmp/example.svg"
rsvg-convert "$tmp/example.svg" -o "$root/docs/example.png"
echo "make-example: wrote $root/docs/example.png"
