#!/usr/bin/env bash
# zephlin never loses work and never reports a failure as success: two
# commands on one simulator state file both keep their writes, outputs on a
# full disk fail without leaving truncated files, damaged HEX files are
# refused naming their line, project files keep their second area, their
# long, non-UTF-8 and linked names, and an error keeps its reason.
# Usage: cli_kept_work.sh ZEPHLIN SAMPLE.hex
set -u
zephlin=$(realpath "$1")
checks=$(dirname "$(realpath "$0")")/cli_checks.sh
sample=$(realpath "$2")
work=$(mktemp -d)
small="$work/small"
cleanup() {
    mountpoint -q "$small" 2>/dev/null && umount "$small"
    rm -rf "$work"
}
trap cleanup EXIT
cd "$work"

. "$checks"

# ---- Two commands on one state file at the same time keep both their writes.
# One programs a fresh image of its own each round, slowly (a millisecond per
# report), while the other lets the writer produce one chip off-line.
state=(--writer sim --sim-state shared.sim)
expect 0 offline-load "$sample" --part 0 --max-counter 1000 "${state[@]}"
waited=0
for round in $(seq 1 20); do
    head -c 2048 /dev/urandom >"round.bin"
    "$zephlin" auto round.bin --part 0 --steps wce,program "${state[@]}" \
        --sim-latency-us 1000 >a.out 2>a.err &
    programming=$!
    "$zephlin" sim-produce 1 "${state[@]}" >b.out 2>b.err
    produced=$?
    wait "$programming"
    programmed=$?
    [ "$programmed" -eq 0 ] || { fail "round $round: auto exited $programmed"; cat a.out a.err; }
    [ "$produced" -eq 0 ] || { fail "round $round: sim-produce exited $produced"; cat b.err; }
    grep -q -F "in use by another program; waiting" a.err b.err && waited=$((waited + 1))
    expect 0 verify round.bin --part 0 "${state[@]}" # fails when the image was lost
    expect 0 offline-info --part 0 "${state[@]}"
    grep -q -F "current counter : $round" out.txt ||
        fail "round $round: the produced chip was lost ($(grep 'current counter' out.txt))"
done
[ "$waited" -gt 0 ] || fail "no command ever waited for the state file"
ls -a | grep -q '\.tmp$' && fail "a temporary state file was left"

# ---- Bad input refused before the writer is touched (a refusal is quick; a
# command that took the latency would run for hours).
for latency in 1000001 4294967295; do
    timeout 20 "$zephlin" check-id --part 0 --writer sim --sim-latency-us "$latency" \
        >out.txt 2>err.txt
    status=$?
    [ "$status" -eq 64 ] || fail "--sim-latency-us $latency gave $status, not 64"
done
mkfifo pipe.sim
timeout 20 "$zephlin" check-id --part 0 --writer sim --sim-state pipe.sim >out.txt 2>err.txt
status=$?
[ "$status" -eq 64 ] || fail "a FIFO as state file gave $status, not 64"
contains err.txt "not a regular file"

# ---- Standard output that cannot be written fails the command.
"$zephlin" parts >/dev/full 2>err.txt
status=$?
[ "$status" -eq 74 ] || fail "zephlin parts >/dev/full exited $status, not 74"
contains err.txt "cannot write standard output"

# ---- An error keeps its reason: a folder that vanished under the command.
mkdir gone
(cd gone && rmdir ../gone && "$zephlin" program fw.hex --part 0 --writer sim >../out.txt 2>../err.txt)
status=$?
[ "$status" -eq 70 ] || fail "a vanished working folder gave $status, not 70"
contains err.txt "zephlin: filesystem error"

# ---- A HEX file with a damaged record is refused, naming its line; nothing
# reaches the writer.
# Line 3 of the sample (CR LF line ends) with another checksum byte.
awk 'NR == 3 { sub(/..\r$/, (substr($0, length($0) - 2, 2) == "00" ? "01" : "00") "\r") } { print }' \
    "$sample" >bad.hex
cp shared.sim before.sim
expect 65 hex2bin bad.hex bad.bin
contains err.txt "bad.hex, line 3: record checksum error"
[ -e bad.bin ] && fail "hex2bin wrote an image of a damaged file"
for command in program verify auto; do
    expect 65 "$command" bad.hex --part 0 "${state[@]}"
    contains err.txt "bad.hex, line 3: record checksum error"
    contains out.txt "Load File =>Checksum error"
    grep -q "using the simulated writer" err.txt && fail "$command touched the writer"
done
expect 65 kdx-save bad.kdx bad.hex --part 0
[ -e bad.kdx ] && fail "kdx-save saved a damaged file"
expect 65 offline-load bad.hex --part 0 "${state[@]}"
cmp -s before.sim shared.sim || fail "a refused file changed the writer's state"
# A user ISP file with a damaged record is refused as well.
printf ':0100000011EE\n:0104000022D8\n:00000001FF\n' >isp.hex
expect 65 kdx-save isp.kdx "$sample" --part 0 --isp isp.hex
contains out.txt "Insert ISP-code =>Checksum error"
[ -e isp.kdx ] && fail "kdx-save saved a project without its ISP code"

# ---- A version 3.0 project keeps its second area: the ISP code of a part
# whose ISP area is the second area is programmed from the project.
expect 0 kdx-save isp21.kdx "$sample" --part 17 --isp default
expect 0 program isp21.kdx --writer sim --sim-state isp21.sim
expect 0 dump main.bin --data second.bin --part 17 --writer sim --sim-state isp21.sim
size=$(stat -c %s isp21.kdx)
footer=$(tail -c 2 isp21.kdx | od -An -tu1 | awk '{ print $1 * 256 + $2 }')
code=$("$zephlin" kdx-info isp21.kdx | awk '/^code size/ { print $3 }')
data=$((size - footer - code))
[ "$data" -gt 0 ] || fail "the project holds no data image"
tail -c +"$((code + 1))" isp21.kdx | head -c "$data" >second.expected
cmp -s second.expected <(head -c "$data" second.bin) ||
    fail "the second area is not what the project holds"

# ---- Project names: not UTF-8, too long to open again, through a link.
expect 0 kdx-save $'o\xff.kdx' "$sample" --part 0
[ -f $'o\xff.kdx' ] || fail "the name o\\xff.kdx was not kept: $(ls ./*.kdx)"
deep=$work
while [ ${#deep} -lt 1100 ]; do
    deep="$deep/$(printf 'd%.0s' $(seq 1 200))"
done
mkdir -p "$deep"
expect 74 kdx-save "$deep/p.kdx" "$sample" --part 0
contains err.txt "could not be opened from there"
[ -e "$deep/p.kdx" ] && fail "a project was saved where it cannot be opened"
mkdir real
expect 0 kdx-save real/p.kdx "$sample" --part 0
ln -s real/p.kdx link.kdx
ln -s real/image.bin link.bin
expect 0 kdx-save link.kdx "$sample" --part 1
[ -L link.kdx ] || fail "saving over a link replaced the link"
"$zephlin" kdx-info link.kdx | grep -q "Nerel A1(5V)" || fail "the link's target was not saved"
expect 0 hex2bin "$sample" link.bin
[ -L link.bin ] && [ -f real/image.bin ] || fail "hex2bin replaced the link"

# ---- A full disk: nothing truncated is left, no state is lost, and the
# command fails. Needs a small file system of its own: root mounts a tmpfs.
if [ "$(id -u)" -ne 0 ] || ! mkdir -p "$small" || ! mount -t tmpfs -o size=512k tmpfs "$small"; then
    echo "SKIP: the full-disk cases need root to mount a tmpfs"
else
    expect 0 program "$sample" --part 0 --writer sim --sim-state "$small/chip.sim"
    expect 0 hex2bin "$sample" "$small/old.bin"
    cp "$small/chip.sim" chip.before
    cp "$small/old.bin" old.before
    cat /dev/zero >"$small/filler" 2>/dev/null
    expect 74 auto "$sample" --part 0 --steps wce,program --writer sim --sim-state "$small/chip.sim"
    contains out.txt "Program =>Pass"
    contains err.txt "simulator state not saved"
    cmp -s chip.before "$small/chip.sim" || fail "a failed save changed the state file"
    expect 74 hex2bin "$sample" "$small/new.bin"
    [ -e "$small/new.bin" ] && fail "hex2bin left a truncated file"
    expect 74 hex2bin "$sample" "$small/old.bin"
    cmp -s old.before "$small/old.bin" || fail "a failed hex2bin changed the file it replaced"
    expect 74 dump "$small/dump.bin" --part 0 --writer sim
    contains out.txt "Save Buffer =>Save file error"
    [ -e "$small/dump.bin" ] && fail "dump left a truncated file"
    ls -a "$small" | grep -q '\.tmp$' && fail "a temporary file was left on the full disk"
fi

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "all checks passed"
