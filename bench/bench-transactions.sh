#!/bin/sh
# Read All and Write All against tessaro-radio-sim with line-rate pacing, at 19200 bit/s
# (or the rates given), as a ratio to the wire time: the transactions alone, then the whole
# menu commands of the main window.
# usage: bench/bench-transactions.sh [BUILD-DIR [RATE...]]   (default: build 19200)
set -e
build=${1:-build}
[ $# -gt 0 ] && shift
cmake --build "$build" --target tessaro-bench-transactions tessaro-bench-commands \
    tessaro-radio-sim >/dev/null
[ $# -gt 0 ] || set -- 19200
echo "The transactions alone:"
"$build/bench/tessaro-bench-transactions" "$build/sim/tessaro-radio-sim" "$@"
echo "The menu commands of the main window (offscreen):"
QT_QPA_PLATFORM=offscreen "$build/bench/tessaro-bench-commands" "$build/sim/tessaro-radio-sim" "$@"
