#!/usr/bin/env bash
# Start-up benchmark (not a test): time from process start to the idle main window, with and
# without the data-file type registration, under Xvfb in a private home.
# Usage: bench-registration.sh [BUILD_DIR] [RUNS]
set -euo pipefail
if [[ "${1:-}" != "--inner" ]]; then
    build=${1:-build}
    cmake --build "$build" --target tessaro-editor tessaro-bench-registration >/dev/null
    exec xvfb-run -a -s "-screen 0 1600x1000x24" bash "$0" --inner \
        "$(realpath "$build/app")" "${2:-15}"
fi
exe=$2/tessaro-editor
runs=$3
sandbox=$(mktemp -d)
trap 'rm -rf "$sandbox"' EXIT
export HOME=$sandbox/home XDG_DATA_HOME=$sandbox/data XDG_CONFIG_HOME=$sandbox/config
unset XDG_CURRENT_DESKTOP

# One start; prints "in-process-ms wall-ms".
start() {
    local t0 t1 idle
    t0=$(date +%s%N)
    idle=$(TESSARO_EXIT_AFTER_STARTUP=$1 "$exe" 2>&1 >/dev/null |
        sed -n 's/^idle after \([0-9]*\) ms$/\1/p')
    t1=$(date +%s%N)
    echo "$idle $(((t1 - t0) / 1000000))"
}
median() { sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }

echo "first start, empty home (registration writes its files and starts the cache tools):"
echo "  in-process / wall ms: $(start 1)"
sleep 2 # let the cache tools finish
for mode in 1 noregister; do
    : >"$sandbox/$mode"
done
for ((i = 0; i < runs; i++)); do
    for mode in 1 noregister; do
        start "$mode" >>"$sandbox/$mode"
    done
done
for mode in 1 noregister; do
    label=$([[ $mode == 1 ]] && echo "with registration   " || echo "without registration")
    echo "$label: median of $runs starts: $(cut -d' ' -f1 "$sandbox/$mode" | median) ms to idle" \
        "(wall, to exit: $(cut -d' ' -f2 "$sandbox/$mode" | median) ms)"
done

# The registration alone, in a second empty home.
export XDG_DATA_HOME=$sandbox/data2 XDG_CONFIG_HOME=$sandbox/config2
"$2/tessaro-bench-registration" 200
sleep 2 # the cache tools it started finish before the home is removed
