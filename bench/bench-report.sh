#!/usr/bin/env bash
# The report against the program's start: elapsed time and peak memory of each.
# Usage: bench-report.sh [BUILD_DIR] [FILE.tdf]
set -euo pipefail
build=${1:-build}
cmake --build "$build" --target tessaro-bench-report tessaro-editor >/dev/null
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
echo "--print-pdf of Print ALL (whole process):"
/usr/bin/time -f "  %e s elapsed, %M KB peak" "$build/app/tessaro-editor" --print-pdf "$out/all.pdf" ${2:+"$2"}
echo "Start to an idle main window (whole process):"
xvfb-run -a /usr/bin/time -f "  %e s elapsed, %M KB peak" "$build/bench/tessaro-bench-report" window
echo "The report alone:"
QT_QPA_PLATFORM=offscreen "$build/bench/tessaro-bench-report" report 20
