# The write-back under real file-system faults and a real SIGKILL: whatever
# happens, the exchange file must end up holding the complete answer, "hq"
# or nothing, never the host's selection nor a torn answer, and the settings
# file the complete old or new settings. Faults that need root (another
# user, immutable attributes, a small tmpfs) are skipped with a message
# where they cannot be provoked.
source "$(dirname "$0")/lib/common.bash"
KILLS=${CROSSRECT_KILLS:-40}
SKIPPED=0
MOUNTS=()
IMMUTABLE=()
cleanup() {
    local path
    for path in "${IMMUTABLE[@]}"; do chattr -i "$path" 2>/dev/null; done
    for path in "${MOUNTS[@]}"; do umount "$path" 2>/dev/null; done
    rm -rf "$SCRATCH"
}
trap cleanup EXIT
chmod 755 "$SCRATCH" # the unprivileged user must reach its folders
skip() {
    SKIPPED=$((SKIPPED + 1))
    echo "SKIP: $*"
}

# grid FILE N [PARALLEL]: N x N crossing segments (N*N rectangles) and, to make
# the selection large without more crossings, PARALLEL short parallel ones.
grid() {
    awk -v n="$2" -v pad="${3:-0}" 'BEGIN {
        ORS = "\r\n"
        print "lg0"; print "ly1"; print "lc2"; print "lt1"; print "lw0"
        for (i = 0; i < n; i++) { print -1, i, n, i; print i, -1, i, n }
        for (i = 0; i < pad; i++) print 5000, 3 * i, 5001, 3 * i
    }' >"$1"
}

# A settings file unlike what the runs save, to tell old from new.
OLD_SETTINGS=$SCRATCH/old.dat
crlf_file "$OLD_SETTINGS" 7 7 0 0 0 0 0 0 1 1 0
OPTIONS=(--width 2 --height 3 --ref 4)

# reference NAME INPUT: the answer and settings of a run in a healthy folder.
reference() {
    local dir=$SCRATCH/reference-$1
    mkdir -p "$dir"
    cp "$2" "$dir/JWC_TEMP.TXT"
    cp "$OLD_SETTINGS" "$dir/crossrect.dat"
    "$CLI" run --dir "$dir" --settings "$dir/crossrect.dat" --out "$dir/answer" \
        "${OPTIONS[@]}" >/dev/null 2>&1
    echo "$dir"
}

# state FILE REFERENCE_DIR SELECTION: what the host would find.
state() {
    if [ ! -e "$1" ]; then echo none
    elif cmp -s "$1" "$2/answer"; then echo answer
    elif [ "$(cat "$1")" = $'hq\r' ]; then echo hq
    elif cmp -s "$1" "$3"; then echo selection
    else echo torn; fi
}
settings_state() {
    if cmp -s "$1" "$2/crossrect.dat"; then echo new
    elif cmp -s "$1" "$OLD_SETTINGS"; then echo old
    else echo torn; fi
}
no_temporaries() {
    local left
    left=$(find "$2" -name '*.tmp*' | head -3)
    if [ -z "$left" ]; then pass; else fail "$1: temporary files left: $left"; fi
}

# expect NAME DIR REF SELECTION EXCHANGE SETTINGS: states after a run.
expect() {
    local got
    got="$(state "$2/JWC_TEMP.TXT" "$3" "$4")/$(settings_state "$2/crossrect.dat" "$3")"
    if [ "$got" = "$5/$6" ]; then pass; else fail "$1: left $got, expected $5/$6"; fi
    no_temporaries "$1" "$2"
}

# prepare DIR SELECTION: the host's file and the old settings, writable by all.
prepare() {
    mkdir -p "$1"
    cp "$2" "$1/JWC_TEMP.TXT"
    cp "$OLD_SETTINGS" "$1/crossrect.dat"
    chmod 666 "$1/JWC_TEMP.TXT" "$1/crossrect.dat"
}
run_in() {
    local dir=$1
    shift
    "$@" "$CLI" run --dir "$dir" --settings "$dir/crossrect.dat" "${OPTIONS[@]}"
}
inode() { stat -c %i "$1"; }

SMALL=$SCRATCH/small.txt
grid "$SMALL" 30
SMALL_REF=$(reference small "$SMALL")

# --- A folder where files can be rewritten but no entry created ---
if [ "$(id -u)" -eq 0 ] && setpriv --reuid=65534 --regid=65534 --clear-groups true 2>/dev/null; then
    dir=$SCRATCH/no-create-user
    prepare "$dir" "$SMALL"
    before=$(inode "$dir/JWC_TEMP.TXT")
    chmod 555 "$dir"
    exit_code "no create right" 0 run_in "$dir" setpriv --reuid=65534 --regid=65534 --clear-groups
    expect "no create right" "$dir" "$SMALL_REF" "$SMALL" answer new
    check "no create right: same file" test "$(inode "$dir/JWC_TEMP.TXT")" = "$before"
    chmod 755 "$dir"
else
    skip "no create right: needs root and setpriv to run as another user"
fi

immutable_dir=$SCRATCH/no-create-immutable
prepare "$immutable_dir" "$SMALL"
if chattr +i "$immutable_dir" 2>/dev/null; then
    IMMUTABLE+=("$immutable_dir")
    exit_code "immutable folder" 0 run_in "$immutable_dir"
    expect "immutable folder" "$immutable_dir" "$SMALL_REF" "$SMALL" answer new
    chattr -i "$immutable_dir"
else
    skip "immutable folder: chattr +i refused (needs root on a file system with attributes)"
fi

# --- Nothing possible: the file itself immutable. The selection stays, told. ---
dir=$SCRATCH/immutable-file
prepare "$dir" "$SMALL"
if chattr +i "$dir/JWC_TEMP.TXT" 2>/dev/null; then
    IMMUTABLE+=("$dir/JWC_TEMP.TXT")
    exit_code "immutable file" 1 run_in "$dir"
    check "immutable file: told" grep -q "still holds its old content" "$SCRATCH/stderr"
    expect "immutable file" "$dir" "$SMALL_REF" "$SMALL" selection new
    chattr -i "$dir/JWC_TEMP.TXT"
else
    skip "immutable file: chattr +i refused"
fi

# --- A full disk and a disk without inodes (small tmpfs mounts) ---
# mount_small NAME OPTIONS: sets point to the mount point, or to nothing.
mount_small() {
    point=$SCRATCH/mnt-$1
    mkdir -p "$point"
    if mount -t tmpfs -o "$2" tmpfs "$point" 2>/dev/null; then
        MOUNTS+=("$point")
    else
        point=
    fi
}
# fill POINT SPARE_KIB: takes all free space but SPARE_KIB.
fill() {
    dd if=/dev/zero of="$1/filler" bs=4k 2>/dev/null
    truncate -s "-$2K" "$1/filler"
}

LARGE_SELECTION=$SCRATCH/large-selection.txt
grid "$LARGE_SELECTION" 30 30000 # selection of about 500 KB, answer of about 100 KB
LARGE_REF=$(reference large "$LARGE_SELECTION")
mount_small full "size=2m"
if [ -n "$point" ]; then
    # The new file cannot be written, but the old one's room takes the answer.
    prepare "$point/fits" "$LARGE_SELECTION"
    fill "$point" 8
    exit_code "full disk, answer fits in place" 0 run_in "$point/fits"
    expect "full disk, answer fits in place" "$point/fits" "$LARGE_REF" "$LARGE_SELECTION" \
        answer new
    rm -rf "$point"/*

    # The answer fits nowhere: "hq" is left, and the run says so.
    prepare "$point/too-big" "$SMALL"
    fill "$point" 8
    exit_code "full disk, answer too big" 1 run_in "$point/too-big"
    check "full disk: told" grep -q 'it holds "hq"' "$SCRATCH/stderr"
    state=$(state "$point/too-big/JWC_TEMP.TXT" "$SMALL_REF" "$SMALL")
    check "full disk, answer too big: hq (got $state)" test "$state" = hq
    settings=$(settings_state "$point/too-big/crossrect.dat" "$SMALL_REF")
    check "full disk: settings whole (got $settings)" test "$settings" != torn
    no_temporaries "full disk" "$point"
else
    skip "full disk: cannot mount a tmpfs (needs root)"
fi

mount_small inodes "size=64m,nr_inodes=16"
if [ -n "$point" ]; then
    prepare "$point/run" "$SMALL"
    for i in $(seq 1 20); do : 2>/dev/null >"$point/run/inode-$i" || break; done
    exit_code "no inodes left" 0 run_in "$point/run"
    expect "no inodes left" "$point/run" "$SMALL_REF" "$SMALL" answer new
else
    skip "no inodes: cannot mount a tmpfs (needs root)"
fi

# --- The file keeps its owner, mode and links ---
dir=$SCRATCH/identity
prepare "$dir" "$SMALL"
chmod 640 "$dir/JWC_TEMP.TXT"
ln "$dir/crossrect.dat" "$SCRATCH/settings-second-name"
owner_changed=no
[ "$(id -u)" -ne 0 ] || { chown 65534:65534 "$dir/JWC_TEMP.TXT" && owner_changed=yes; }
exit_code "identity" 0 run_in "$dir"
expect "identity" "$dir" "$SMALL_REF" "$SMALL" answer new
check "identity: mode kept" test "$(stat -c %a "$dir/JWC_TEMP.TXT")" = 640
[ "$owner_changed" = no ] || check "identity: owner kept" test "$(stat -c %u:%g "$dir/JWC_TEMP.TXT")" = 65534:65534
same_bytes "identity: hard link of the settings kept" "$dir/crossrect.dat" "$SCRATCH/settings-second-name"

# --- A usage error or a refusal changes nothing ---
dir=$SCRATCH/refused
prepare "$dir" "$SMALL"
exit_code "refused width" 2 "$CLI" run --dir "$dir" --settings "$dir/crossrect.dat" --width 0
exit_code "usage error" 2 "$CLI" run --dir "$dir" --settings "$dir/crossrect.dat" --no-such-option
expect "refused" "$dir" "$SMALL_REF" "$SMALL" selection old

# --- SIGKILL at random moments of a run with a 70 MB answer ---
BIG=$SCRATCH/big.txt
grid "$BIG" 700
started=$(date +%s%N)
BIG_REF=$(reference big "$BIG")
# Kills spread over the whole run, start to end, so every phase is hit.
RUN_MS=$((($(date +%s%N) - started) / 1000000 + 20))
declare -A seen=()
left_temporary=0
dir=$SCRATCH/killed
for i in $(seq 1 "$KILLS"); do
    prepare "$dir" "$BIG"
    "$CLI" run --dir "$dir" --settings "$dir/crossrect.dat" "${OPTIONS[@]}" >/dev/null 2>&1 &
    pid=$!
    delay=$((RANDOM % RUN_MS))
    [ $((i % 5)) -ne 0 ] || delay=$((RANDOM % 15)) # around start and reading
    sleep "$((delay / 1000)).$(printf '%03d' $((delay % 1000)))"
    kill -KILL "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    got="$(state "$dir/JWC_TEMP.TXT" "$BIG_REF" "$BIG")/$(settings_state "$dir/crossrect.dat" "$BIG_REF")"
    seen[$got]=$((${seen[$got]:-0} + 1))
    [ -z "$(find "$dir" -name '*.tmp*')" ] || left_temporary=$((left_temporary + 1))
    case $got in
    answer/new | hq/old | hq/new | none/*) pass ;;
    selection/old) pass ;; # killed before the file had been read
    *) fail "kill $i: left $got" ;;
    esac
done
echo "after $KILLS kills within ${RUN_MS} ms (exchange/settings): $(for k in "${!seen[@]}"; do
    printf '%s=%s ' "$k" "${seen[$k]}"
done); $left_temporary left a temporary file"
# The next run removes what a killed one left.
prepare "$dir" "$BIG"
exit_code "run after the kills" 0 run_in "$dir"
expect "run after the kills" "$dir" "$BIG_REF" "$BIG" answer new

# --- SIGKILL right after each change to a file rewritten in place ---
# A preloaded library kills the run after the n-th write, length change or
# reservation of one file; n runs on until a run completes.
KILL_LIB=$SCRATCH/kill_after.so
cc -shared -fPIC -o "$KILL_LIB" "$(dirname "$0")/lib/kill_after.c" -ldl
MID=$SCRATCH/mid.txt
grid "$MID" 400 # an answer of ten blocks
MID_REF=$(reference mid "$MID")
host_state() { # as state, and a first line "hq" is "hq" too
    local got
    got=$(state "$1" "$MID_REF" "$MID" 2>/dev/null) # the reserved room reads as zeros
    [ "$got" = torn ] && head -c 4 "$1" | cmp -s - <(printf 'hq\r\n') && got=hq
    echo "$got"
}
# Only the first eleven lines are read.
eleven_lines() { head -n 11 "$1" >"$SCRATCH/eleven" && settings_state "$SCRATCH/eleven" "$MID_REF"; }
# kill_loop NAME FOLDER_MODE TARGET [PREFIX...]: both files hard-linked.
kill_loop() {
    local name=$1 mode=$2 target=$3 dir=$SCRATCH/linked n rc got
    shift 3
    for n in $(seq 1 60); do
        chmod 755 "$dir" 2>/dev/null
        rm -rf "$dir" && prepare "$dir" "$MID"
        ln "$dir/JWC_TEMP.TXT" "$dir/exchange-link" && ln "$dir/crossrect.dat" "$dir/settings-link"
        chmod "$mode" "$dir"
        KILL_FILE=$dir/$target KILL_AFTER=$n LD_PRELOAD=$KILL_LIB ASAN_OPTIONS=verify_asan_link_order=0 \
            run_in "$dir" "$@" >/dev/null 2>&1
        rc=$?
        got=$(host_state "$dir/JWC_TEMP.TXT")/$(eleven_lines "$dir/crossrect.dat")
        case $n/$got in
        # The first change, a reservation, shows nothing.
        */answer/new | */hq/old | */hq/new | */none/* | 1/selection/old) pass ;;
        *) fail "$name: killed after change $n: left $got" ;;
        esac
        [ "$rc" -eq 137 ] || break
    done
    echo "$name: $((n - 1)) kills, then exit $rc"
    check "$name: completed (exit $rc)" test "$rc" = 0
    same_bytes "$name: exchange link kept" "$dir/JWC_TEMP.TXT" "$dir/exchange-link"
    same_bytes "$name: settings link kept" "$dir/crossrect.dat" "$dir/settings-link"
}
kill_loop "hard-linked exchange file" 755 JWC_TEMP.TXT
kill_loop "hard-linked settings file" 755 crossrect.dat
if [ "$(id -u)" -eq 0 ] && setpriv --reuid=65534 --regid=65534 --clear-groups true 2>/dev/null; then
    kill_loop "no create right" 555 JWC_TEMP.TXT setpriv --reuid=65534 --regid=65534 --clear-groups
else
    skip "kills without create right: needs root and setpriv"
fi

# Out of memory: a clear failure, never an abort. The run is given less
# address space than its drawn points need.
if grep -q __asan_init "$CLI"; then
    skip "out of memory: the sanitizer's shadow memory takes any address-space limit"
else
    dir=$SCRATCH/memory
    mkdir -p "$dir"
    grid "$dir/JWC_TEMP.TXT" 1500
    exit_code "out of memory" 1 bash -c 'ulimit -v 100000 && exec "$0" "$@"' "$CLI" run \
        --dir "$dir" --settings "$dir/crossrect.dat" "${OPTIONS[@]}"
    check "out of memory: hq" test "$(cat "$dir/JWC_TEMP.TXT")" = $'hq\r'
    check "out of memory: said so" grep -q "out of memory" "$SCRATCH/stderr"
    check "out of memory: no temporary file left" test -z "$(find "$dir" -name '*.tmp*')"

    # Memory running out while the selection is read: nothing drawn.
    grid "$dir/JWC_TEMP.TXT" 10 3000000
    exit_code "out of memory while reading" 1 bash -c 'ulimit -v 150000 && exec "$0" "$@"' \
        "$CLI" run --dir "$dir" --settings "$dir/crossrect.dat" "${OPTIONS[@]}"
    check "out of memory while reading: hq" test "$(cat "$dir/JWC_TEMP.TXT")" = $'hq\r'
    check "out of memory while reading: said so" grep -q "read to its end" "$SCRATCH/stderr"
fi

echo "faults: $SKIPPED skipped"
summary
