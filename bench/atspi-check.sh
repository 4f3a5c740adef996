#!/usr/bin/env bash
# Dumps the editor's accessibility tree under Xvfb: the Globals view, then a group's view.
# Needs Debian's at-spi2-core, python3-pyatspi and dbus-x11. Usage: atspi-check.sh BUILD_DIR
set -euo pipefail
build=${1:-build}
editor=$(realpath "$build/app/tessaro-editor")
script=$(realpath "$(dirname "$0")/atspi_dump.py")
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
inner() {
    /usr/libexec/at-spi-bus-launcher --launch-immediately &
    sleep 1
    HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share \
        QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 "$editor" &
    local pid=$!
    sleep 3
    echo "=== Globals view"
    /usr/bin/python3 "$script" || true
    echo "=== after a click on Group 12 Channels"
    /usr/bin/python3 "$script" --click-group 12 || true
    kill "$pid"
}
export editor script home
xvfb-run -a -s "-screen 0 1600x1000x24" dbus-run-session -- bash -c "$(declare -f inner); inner"
