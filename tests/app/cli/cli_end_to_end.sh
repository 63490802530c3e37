#!/usr/bin/env bash
# zephlin end to end on the simulated writer: one chip kept in a state file
# across commands, exit statuses of injected faults, refusals before any
# writer traffic, and a project saved, inspected and programmed.
# Usage: cli_end_to_end.sh ZEPHLIN SAMPLE.hex
set -u
zephlin=$(realpath "$1")
checks=$(dirname "$(realpath "$0")")/cli_checks.sh
sample=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

. "$checks"

sim=(--part 0 --writer sim --sim-state chip.sim)

# One chip across commands: program, verify, dump and compare.
expect 0 hex2bin "$sample" image.bin
expect 0 program "$sample" "${sim[@]}"
contains out.txt $'000 - Load File =>Pass   ['
contains out.txt $'001 - Program =>Pass   ['
expect 0 verify "$sample" "${sim[@]}"
contains out.txt '001 - Verify =>Pass'
expect 0 dump dumped.bin "${sim[@]}"
contains out.txt '000 - Dump Target =>Pass'
contains out.txt '001 - Save Buffer =>Pass'
size=$(stat -c %s image.bin)
[ "$(stat -c %s dumped.bin)" -eq 32768 ] || fail "the dump is not the 32 KB main area"
cmp -n "$size" image.bin dumped.bin || fail "the dump differs from the image"
[ "$(tail -c +"$((size + 1))" dumped.bin | tr -d '\377' | wc -c)" -eq 0 ] ||
    fail "the dump is not erased beyond the image"
expect 0 read-checksum "${sim[@]}"
grep -q -E '^   Chip Checksum :  0x[0-9A-F]{4}$' out.txt || fail "no checksum line"

# Both areas of a part with a second area (Nerel C6(3V): 64 KB and 1 KB).
both=(--part 23 --writer sim --sim-state both.sim)
head -c 700 "$sample" >data.bin
expect 0 program "$sample" --data data.bin "${both[@]}"
contains out.txt '002 - Program =>Pass'
expect 0 verify "$sample" --data data.bin "${both[@]}"
expect 0 dump main.bin --data second.bin "${both[@]}"
[ "$(stat -c %s second.bin)" -eq 1024 ] || fail "the second-area dump is not 1 KB"
cmp -n 700 data.bin second.bin || fail "the second-area dump differs from the data"
expect 64 program "$sample" --data data.bin "${sim[@]}"

# Programming over programmed flash fails to verify until an erase.
expect 2 auto "$sample" "${sim[@]}" --steps blank,program
contains out.txt $'       Blank Check =>Fail   ['
contains out.txt '         Auto ======>End'
grep -q 'Program =>' out.txt && fail "Program ran after a failed Blank Check"
expect 0 auto "$sample" "${sim[@]}" --steps wce,blank,program,verify
contains out.txt '001 - Auto ======>Start'

# Exit statuses of injected faults and failures, on a chip of their own
# (a locked chip would stay locked in the state file).
fresh=(--part 0 --writer sim)
expect 5 check-id "${fresh[@]}" --sim-fault no-writer
contains out.txt '000 - Check ID =>USB Connect error'
expect 9 check-id "${fresh[@]}" --sim-fault id-mismatch
expect 10 verify "$sample" "${fresh[@]}" --sim-fault locked
contains out.txt '001 - Verify =>ID Locked'
expect 20 erase "${fresh[@]}" --sim-fault power-on-failure
expect 23 blank-check "${fresh[@]}" --sim-fault no-response
expect 6 check-id "${fresh[@]}" --sim-fault firmware-mismatch
contains out.txt '000 - Check ID =>Update FW user cancel'
contains err.txt '-> No'
expect 0 check-id "${fresh[@]}" --sim-fault firmware-mismatch --yes
expect 14 program missing.hex "${sim[@]}"
contains out.txt '000 - Load File =>Open file error'
head -c 32769 /dev/zero >too-long.bin
expect 24 program too-long.bin "${sim[@]}"
contains out.txt '000 - Load File =>File is too large !'
printf ':00000001FF\r\n' >empty.hex
expect 65 program empty.hex "${sim[@]}"

# Option names and values are refused before the writer is touched: with no
# writer at all, a refusal still gives 64 and writes no log entry.
expect 64 write-options --part 0 --writer sim --sim-fault no-writer --set NO_SUCH=1
[ -s out.txt ] && fail "a refused option wrote a log entry"
contains err.txt 'has no option NO_SUCH'
expect 64 write-options --part 0 --writer sim --sim-fault no-writer --set LOCK=2
expect 64 write-options --part 0 --writer sim --sim-fault no-writer --set BOOT_MS=Nowhere
expect 64 write-options --part 0 --writer sim --sim-fault no-writer --set IWDT_DIV=F/8
contains err.txt 'needs IWDT_EN=1'
expect 0 write-options "${sim[@]}" --set LOCK=0 --set IWDT_EN=1 --set IWDT_DIV=F/8 --set "BOOT_MS=boot flash"
expect 0 read-options "${sim[@]}"
contains out.txt '   IWDT_DIV : F/8'
contains out.txt '   BOOT_MS : Boot Flash'

# Usage errors.
expect 64 frobnicate
expect 64 program "$sample" --writer sim
expect 64 erase --part 0 --area sideways --writer sim
expect 64 erase --part 0 --area second --writer sim
expect 64 check-id --part 999 --writer sim
expect 64 check-id --part 0 --sim-state chip.sim
expect 64 auto "$sample" --part 0 --writer sim --steps wce,dance
expect 0 --help
contains out.txt 'usage: zephlin'

# A project: saved, inspected, programmed and verified from the file alone.
expect 0 kdx-save app.kdx "$sample" --part 0 --set IWDT_EN=1 --set IWDT_DIV=F/8
contains out.txt '001 - Save KDX =>Pass'
expect 0 kdx-info app.kdx
contains out.txt 'code file name    sample-m0.hex'
contains out.txt '   IWDT_DIV : F/8'
contains out.txt 'check footer checksum   pass'
contains out.txt 'check images readable   pass'
expect 0 whole-chip-erase "${sim[@]}"
expect 0 program app.kdx --writer sim --sim-state chip.sim
expect 0 verify app.kdx --writer sim --sim-state chip.sim
expect 64 program app.kdx --part 1 --writer sim
cp app.kdx broken.kdx
printf '\x00' | dd of=broken.kdx bs=1 seek=100 conv=notrunc status=none
expect 16 kdx-info broken.kdx
contains out.txt 'check image checksums   FAIL'

# Off-Line Mode: the writer loaded with a serial scheme, chips produced up to
# the max counter, and what Read Info shows.
offline=(--part 0 --writer sim --sim-state offline.sim)
expect 22 offline-info "${offline[@]}"
contains out.txt '000 - Read Info =>Info is empty'
expect 64 offline-load "$sample" "${offline[@]}" --max-counter 70000
expect 64 offline-load "$sample" "${offline[@]}" --number 10
expect 64 offline-load "$sample" "${offline[@]}" --serial SN --address 7FF1
expect 0 offline-load "$sample" "${offline[@]}" --max-counter 3 --serial SN- --number 100 \
    --increment
contains out.txt '001 - Off-Line Mode =>Pass'
expect 0 sim-produce 5 "${offline[@]}"
contains out.txt 'produced 3 chips'
expect 0 offline-info "${offline[@]}"
contains out.txt '   code size : '"$size"
contains out.txt '   address : 0x00007FF0'
contains out.txt '   string : SN-\xFF'
contains out.txt '   current number : 0x00000103'
contains out.txt '   current counter : 3'
expect 64 sim-produce 1

# The log in Chinese.
expect 0 check-id "${sim[@]}" --lang zh
contains out.txt '000 - ID检测 =>成功'

[ "$failures" -eq 0 ] && echo "all passed"
exit "$failures"
