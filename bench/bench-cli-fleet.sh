#!/bin/sh
# `tessaro write` with backup and verify on one radio, then on four at once, each a paced
# tessaro-radio-sim at 19200 bit/s: wall time and the tool's CPU time (workers included);
# the progress lines are left out.
# usage: bench/bench-cli-fleet.sh [BUILD-DIR]   (default: build)
set -e
build=${1:-build}
cmake --build "$build" --target tessaro tessaro-radio-sim >/dev/null
work=$(mktemp -d)
sims=""
trap 'for p in $sims; do kill "$p" 2>/dev/null; done; rm -rf "$work"' EXIT
ports=""
for i in 0 1 2 3; do
    "$build/sim/tessaro-radio-sim" --max-baud 19200 --pace --serial "765432$i" >"$work/sim$i" &
    sims="$sims $!"
done
sleep 1
for i in 0 1 2 3; do ports="$ports --port $(head -1 "$work/sim$i")"; done
dd if=/dev/urandom of="$work/fleet.tdf" bs=1024 count=26 2>/dev/null
export XDG_DATA_HOME="$work/data"
one=$(echo "$ports" | cut -d' ' -f2-3)
/usr/bin/time -f "1 radio:  %e s wall, %U s user + %S s system" \
    "$build/cli/tessaro" write $one --rate 19200 --json "$work/fleet.tdf" 2>&1 >/dev/null |
    grep -v '%'
/usr/bin/time -f "4 radios: %e s wall, %U s user + %S s system" \
    "$build/cli/tessaro" write $ports --rate 19200 --json "$work/fleet.tdf" 2>&1 >/dev/null |
    grep -v '%'
