#!/usr/bin/env bash
# Reads all data from tessaro-radio-sim and writes it back, through the editor's menus under
# Xvfb, pacing at 4800 bit/s, and saves screenshots taken in the middle of each transfer.
# Needs at-spi2-core, python3-pyatspi, dbus-x11 and ImageMagick's import.
# usage: bench/transfer-screens.sh [BUILD-DIR [OUTDIR]]
set -euo pipefail
build=$(realpath "${1:-build}")
out=$(realpath -m "${2:-transfer-screens}")
mkdir -p "$out"
cmake --build "$build" --target tessaro-editor tessaro-radio-sim >/dev/null
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
# A radio with serial number 12.34.567 and a few non-zero bytes.
python3 - "$home/radio.bin" <<'PY'
import sys
img = bytearray(65536)
for i in range(7):
    img[113 + i] = i + 1
for a in range(1024, 26 * 1024):
    img[a] = (a * 7) & 0xFF
open(sys.argv[1], "wb").write(img)
PY
export build out home
export drive=$(realpath "$(dirname "$0")/transfer_drive.py")
inner() {
    export HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share
    /usr/libexec/at-spi-bus-launcher --launch-immediately &
    sleep 1
    "$build/sim/tessaro-radio-sim" --pace --set-comm-port 1 --load "$home/radio.bin" \
        --dump "$home/radio-after.bin" >"$home/sim.out" &
    local sim=$!
    sleep 1
    echo "radio on $(head -n1 "$home/sim.out")"
    QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 "$build/app/tessaro-editor" &
    local editor=$!
    sleep 4
    local t0=$(date +%s.%N)
    /usr/bin/python3 "$drive" menu "Read" "Read ALL Data From Radio"
    sleep 10
    import -window root "$out/read-all-mid.png"
    /usr/bin/python3 "$drive" status
    /usr/bin/python3 "$drive" wait-status "All Radio Data Read Complete....." 90
    echo "Read All done after $(echo "$(date +%s.%N) - $t0" | bc) s"
    import -window root "$out/read-all-done.png"
    ls "$XDG_DATA_HOME/ZPA Tessaro Editor/Backups"
    /usr/bin/python3 "$drive" menu "Write" "Write ALL Data To Radio"
    sleep 1
    import -window root "$out/write-all-confirm.png"
    /usr/bin/python3 "$drive" button "OK"
    sleep 10
    import -window root "$out/write-all-mid.png"
    /usr/bin/python3 "$drive" status
    /usr/bin/python3 "$drive" wait-status "All Radio Data Write Complete....." 90
    import -window root "$out/write-all-done.png"
    kill "$editor" "$sim"
    wait "$sim" || true
    cmp -l "$home/radio.bin" "$home/radio-after.bin" | wc -l | sed 's/^/bytes changed by the write: /'
}

xvfb-run -a -s "-screen 0 1280x900x24" dbus-run-session -- bash -c "$(declare -f inner); inner"
