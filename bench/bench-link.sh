#!/bin/sh
# Link throughput against tessaro-radio-sim with line-rate pacing, at 19200 and 115200 bit/s.
# usage: bench/bench-link.sh [BUILD-DIR]   (default: build)
set -e
build=${1:-build}
cmake --build "$build" --target tessaro-bench-link tessaro-radio-sim >/dev/null
exec "$build/bench/tessaro-bench-link" "$build/sim/tessaro-radio-sim" 19200 115200
