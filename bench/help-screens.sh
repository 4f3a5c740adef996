#!/usr/bin/env bash
# Takes the help's pictures from the running program (tessaro-screens under xvfb-run) and
# copies them into help/images; every picture taken stays in SHOTS_DIR for review.
# Usage: bench/help-screens.sh [BUILD_DIR] [SHOTS_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cmake --build "$build" --target tessaro-screens >/dev/null
shots=${2:-$(mktemp -d)}
mkdir -p "$shots"
# A plain home, so that the system information shows the usual folders.
HOME=/home/tech XDG_CONFIG_HOME= XDG_DATA_HOME= QT_QPA_PLATFORM=xcb \
    xvfb-run -a -s "-screen 0 1600x1000x24" "$build/bench/tessaro-screens" "$shots" >/dev/null
cp "$shots/minimum-globals.png" help/images/main-globals.png
cp "$shots/minimum-group12.png" help/images/group.png
cp "$shots/minimum-group12-editing.png" help/images/group-editing.png
for tab in 2 3 4; do
    cp "$shots/minimum-tab$tab.png" "help/images/tab$tab.png"
done
cp "$shots/sysinfo.png" help/images/sysinfo.png
# The bulk commands, run as a technician would; it also checks the saved file.
cmake --build "$build" --target tessaro-bulk-screens >/dev/null
HOME=/home/tech QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1600x1000x24" \
    "$build/bench/tessaro-bulk-screens" "$shots/bulk" "$shots/bulk.tdf" >/dev/null
cp "$shots/bulk/6-filled-pane.png" help/images/group-bulk.png
echo "help/images refreshed; all pictures, with the help, about and system information windows, are in $shots"
