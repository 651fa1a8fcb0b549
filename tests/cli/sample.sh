# The bundled sample: the committed file is what tools/make_sample.py writes,
# it reads as the floor plan it claims to be, and the demo runs on it.
source "$(dirname "$0")/lib/common.bash"
ROOT=$(cd "$HERE/../../.." && pwd)
SAMPLE=$ROOT/samples/floorplan/JWC_TEMP.TXT

python3 "$ROOT/tools/make_sample.py" "$SCRATCH/regenerated.txt" >/dev/null
same_bytes "sample matches its generator" "$SAMPLE" "$SCRATCH/regenerated.txt"
check "sample: CR LF line ends only" python3 -c '
import sys
data = open(sys.argv[1], "rb").read()
sys.exit(0 if data.endswith(b"\r\n") and data.count(b"\n") == data.count(b"\r\n") else 1)' "$SAMPLE"

"$CLI" inspect "$SAMPLE" >"$SCRATCH/sample.json"
check "sample: what it holds" python3 -c '
import json, sys
d = json.load(open(sys.argv[1], encoding="utf-8"))
figures = d["Figures"]
texts = [f["Text"] for f in figures if f["Kind"] == 4]
dims = [f for f in figures if f["Kind"] == 7]
lines = [f for f in figures if f["Kind"] == 1]
checks = {
    "segments": d["LineCount"] == 223,
    "scale 1:50": d["LayerGroupScale"][0] == 50,
    "host pen": (d["HostLayerGroup"], d["HostLayer"], d["HostColor"], d["HostLineType"],
                 d["HostLineWidth"], d["LineWidthSeen"]) == (0, 1, 2, 1, 0, True),
    "room names": "浴室" in texts and "和室（6帖）" in texts,
    "dimension": len(dims) == 1 and dims[0]["Text"]["Text"] == "全長 9,220",
    "excluded": sum(1 for f in lines if f["Flags"] & 4) == 2,
    "polylines": len({f["CurveNo"] for f in lines if f["CurveNo"] > 0}) == d["CurveCounter"],
    "file name": d["DrawingFileName"].endswith("平面図.cad"),
}
bad = [k for k, ok in checks.items() if not ok]
print("  failed:", bad) if bad else None
sys.exit(1 if bad else 0)' "$SCRATCH/sample.json"

exit_code "demo" 0 bash "$ROOT/tools/demo.sh" "$CLI"
check "demo: segments" grep -qx 'segments read:    223' "$SCRATCH/stdout"
check "demo: rectangles" grep -qE '^rectangles drawn: [1-9][0-9]* \([0-9]+ line records\)$' \
    "$SCRATCH/stdout"
check "demo: pen lines first" grep -qx '  lw0' "$SCRATCH/stdout"
demo_dir=$(sed -n 's/^result file: *//p' "$SCRATCH/stdout" | xargs dirname)
case $demo_dir in /*crossrect-demo.*) rm -rf "$demo_dir" ;; esac

summary
