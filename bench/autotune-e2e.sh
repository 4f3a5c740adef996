#!/bin/bash
# AutoTune end to end: tessaro-radio-sim with a radio out of alignment, paced at the line rate and
# serving its test set on 127.0.0.1; `tessaro tune` aligns it through liblxi over TCP. Prints the
# time taken, checks the exit status, the PDF report's rows and the radio's alignment cells
# against the bench model's ideals. The coil is turned (sim's "coil 0") a few seconds in, as a
# technician would after the prompt.
#
# usage: bench/autotune-e2e.sh BUILD-DIR OUTDIR [PORT] [RATE]
set -u
build=$1
out=$2
port=${3:-5125}
rate=${4:-19200}
crystal=1.5
mkdir -p "$out"
rm -f "$out/sim-in" "$out/radio-after.bin" "$out/autotune.pdf"
"$build/bench/tessaro-bench-autotune" --write-image "$out/radio-start.bin" || exit 2
mkfifo "$out/sim-in"
"$build/sim/tessaro-radio-sim" --pace --crystal-error $crystal --load "$out/radio-start.bin" \
    --dump "$out/radio-after.bin" --instrument "$port" <"$out/sim-in" >"$out/sim-out" 2>&1 &
sim=$!
exec 3>"$out/sim-in"
for _ in $(seq 50); do
    device=$(head -n1 "$out/sim-out" 2>/dev/null)
    [ -n "$device" ] && break
    sleep 0.1
done
echo "radio on $device, test set on tcp://127.0.0.1:$port, $rate bit/s"
(sleep 4 && echo "coil 0" >&3) &
start=$(date +%s.%N)
"$build/cli/tessaro" tune --port "$device" --instrument "tcp://127.0.0.1:$port" \
    --profile virtual-bench --rate "$rate" --report "$out/autotune.pdf" >"$out/tune-out" \
    2>"$out/tune-err"
status=$?
end=$(date +%s.%N)
exec 3>&-
kill "$sim" 2>/dev/null
wait "$sim" 2>/dev/null
cat "$out/tune-out"
printf 'tessaro tune: exit %d after %.1f s\n' "$status" "$(echo "$end - $start" | bc)"
rows=$(pdftotext -layout "$out/autotune.pdf" - | grep -cE '^(VCO|TX|FM|RX|Squelch) .*(pass|FAIL|not done)$')
echo "PDF report: $rows point rows"
"$build/bench/tessaro-bench-autotune" --check-image "$out/radio-after.bin" $crystal
cells=$?
[ "$status" -eq 0 ] && [ "$rows" -eq 18 ] && [ "$cells" -eq 0 ]
