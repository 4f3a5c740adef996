#!/usr/bin/env bash
# Installs what is missing, builds, and starts the editor (arguments: an optional .tdf file).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    echo "No display found: starting the editor on a virtual X display (xvfb-run)."
    exec xvfb-run -a -s "-screen 0 1280x1024x24" ./build/app/tessaro-editor "$@"
fi
exec ./build/app/tessaro-editor "$@"
