# crossrect-cli inspect: the state read from hand-written exchange files,
# compared field by field with the expected JSON.
source "$(dirname "$0")/lib/common.bash"
INSPECT=$DATA/inspect

for input in "$INSPECT"/*.txt; do
    name=$(basename "$input" .txt)
    exit_code "inspect $name" 0 "$CLI" inspect "$input"
    cp "$SCRATCH/stdout" "$SCRATCH/$name.json"
    same_json "inspect $name" "$INSPECT/$name.json" "$SCRATCH/$name.json"
    check "inspect $name: nothing on stderr" test ! -s "$SCRATCH/stderr"
done

# A missing file reads as the reset state; so does the default file name in
# a folder without one.
exit_code "missing file" 0 "$CLI" inspect "$SCRATCH/none/JWC_TEMP.TXT"
same_json "missing file" "$INSPECT/missing.json" "$SCRATCH/stdout"
mkdir -p "$SCRATCH/empty"
(cd "$SCRATCH/empty" && "$CLI" inspect >"$SCRATCH/default.json")
same_json "default file, missing" "$INSPECT/missing.json" "$SCRATCH/default.json"

# The default file is ./JWC_TEMP.TXT.
mkdir -p "$SCRATCH/here"
cp "$INSPECT/figures.txt" "$SCRATCH/here/JWC_TEMP.TXT"
(cd "$SCRATCH/here" && "$CLI" inspect >"$SCRATCH/here.json")
same_json "default file" "$INSPECT/figures.json" "$SCRATCH/here.json"

# Numbers print so that they read back to the same double.
printf '0.1 0.30000000000000004 6.123233995736766E-16 123456789.00000001\r\n' \
    >"$SCRATCH/numbers.txt"
"$CLI" inspect "$SCRATCH/numbers.txt" >"$SCRATCH/numbers.json"
check "numbers: shortest round trip" python3 -c '
import json, sys
d = json.load(open(sys.argv[1]))
f = d["Figures"][0]
got = [f["X1"], f["Y1"], f["X2"], f["Y2"]]
want = [0.1, 0.30000000000000004, 6.123233995736766e-16, 123456789.00000001]
sys.exit(0 if got == want else print(got) or 1)' "$SCRATCH/numbers.json"
check "numbers: printed shortest" grep -q '"X1":0.1,' "$SCRATCH/numbers.json"

# A folder given as the file cannot be read: the output is the reset state.
exit_code "folder as file" 0 "$CLI" inspect "$SCRATCH/empty"

summary
