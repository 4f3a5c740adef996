#!/usr/bin/env bash
# Pane-switch benchmark under Xvfb. Usage: bench-panes.sh [BUILD_DIR] [RUNS]
set -euo pipefail
build=${1:-build}
cmake --build "$build" --target tessaro-bench-panes >/dev/null
xvfb-run -a -s "-screen 0 1600x1000x24" "$build/bench/tessaro-bench-panes" "${2:-200}"
