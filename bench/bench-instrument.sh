#!/bin/sh
# Round trips to the virtual bench's SCPI test set through liblxi on 127.0.0.1.
# usage: bench/bench-instrument.sh [BUILD-DIR] [N]   (defaults: build, 1000)
set -e
build=${1:-build}
cmake --build "$build" --target tessaro-bench-instrument tessaro-radio-sim >/dev/null
exec "$build/bench/tessaro-bench-instrument" "$build/sim/tessaro-radio-sim" "${2:-1000}"
