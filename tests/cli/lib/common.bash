# Shared by the crossrect-cli end-to-end scripts: the tool under test, the
# test data, a scratch folder removed on exit, and pass/fail counting with a
# closing summary line.
set -u
CLI=$(realpath "${1:?usage: bash SCRIPT.sh /path/to/crossrect-cli}")
DATA=$(realpath "${CROSSRECT_TEST_DATA:?CROSSRECT_TEST_DATA must name tests/data}")
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
SCRATCH=$(mktemp -d)
trap 'rm -rf "$SCRATCH"' EXIT
PASSED=0
FAILED=0

pass() { PASSED=$((PASSED + 1)); }
fail() {
    FAILED=$((FAILED + 1))
    echo "FAIL: $*"
}

# check NAME COMMAND...: the command must succeed.
check() {
    local name=$1
    shift
    if "$@"; then pass; else fail "$name"; fi
}

# same_bytes NAME EXPECTED_FILE ACTUAL_FILE
same_bytes() {
    if cmp -s "$2" "$3"; then
        pass
    else
        fail "$1: $3 differs from $2"
        diff <(od -c "$2") <(od -c "$3") | head -10
    fi
}

# same_json NAME EXPECTED_FILE ACTUAL_FILE
same_json() {
    if python3 "$HERE/json_match.py" "$2" "$3"; then pass; else fail "$1"; fi
}

# exit_code NAME EXPECTED COMMAND...: runs the command, output kept in
# $SCRATCH/stdout and $SCRATCH/stderr.
exit_code() {
    local name=$1 expected=$2
    shift 2
    "$@" >"$SCRATCH/stdout" 2>"$SCRATCH/stderr"
    local got=$?
    if [ "$got" -eq "$expected" ]; then
        pass
    else
        fail "$name: exit $got, expected $expected"
        head -5 "$SCRATCH/stderr"
    fi
}

# crlf_file PATH LINE...: writes the lines, each ended by CR LF.
crlf_file() {
    local path=$1
    shift
    : >"$path"
    local line
    for line in "$@"; do printf '%s\r\n' "$line" >>"$path"; done
}

summary() {
    echo "$(basename "$0" .sh): $PASSED passed, $FAILED failed"
    [ "$FAILED" -eq 0 ]
}
