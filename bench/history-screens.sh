#!/usr/bin/env bash
# The radio history as a technician meets it, in a scratch home folder: three virtual radios
# read and two of them written with the tessaro tool, the editor reading one and aligning
# another, the history window's screenshots, and the tool's history commands.
# usage: bench/history-screens.sh [BUILD-DIR [OUTDIR]]
set -euo pipefail
build=$(realpath "${1:-build}")
out=$(realpath -m "${2:-history-screens}")
mkdir -p "$out"
home=$(mktemp -d)
sims=()
trap 'kill "${sims[@]}" 2>/dev/null || true; rm -rf "$home"' EXIT
export HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share
cd "$home"
ports=()
for serial in 1111111 2222222 3333333; do
    extra=()
    [[ $serial == 1111111 ]] && extra=(--set-comm-port 1)
    "$build/sim/tessaro-radio-sim" --serial "$serial" "${extra[@]}" >"$home/sim$serial.out" &
    sims+=($!)
done
sleep 1
for serial in 1111111 2222222 3333333; do
    ports+=(--port "$(head -n1 "$home/sim$serial.out")")
done
tessaro=$build/cli/tessaro
echo "\$ tessaro read ${ports[*]}"
"$tessaro" read "${ports[@]}"
# A new channel plan: group 1 gets a label and its first channel a frequency.
"$tessaro" export "$(ls "$home"/SN33.33.333_*.tdf | head -n1)" -o plan.yaml
sed -i -e '0,/Group Label: ".*"/s//Group Label: "FIRE DEPT   "/' \
    -e '0,/    RX Freq: ".*"/s//    RX Freq: "155.00000"/' plan.yaml
"$tessaro" import plan.yaml --base "$(ls "$home"/SN33.33.333_*.tdf | head -n1)" -o plan.tdf
file=$home/plan.tdf
echo "\$ tessaro write ${ports[*]:0:4} $(basename "$file")"
"$tessaro" write "${ports[@]:0:4}" "$file"
xvfb-run -a -s "-screen 0 1280x900x24" "$build/bench/tessaro-history-screens" \
    "$build/sim/tessaro-radio-sim" "$out" FIRE 1111111 || echo "screens failed"
echo "\$ tessaro history"
"$tessaro" history
echo "\$ tessaro history 1111111"
"$tessaro" history 1111111
echo "\$ tessaro history 3456789 --json"
"$tessaro" history 3456789 --json
echo "\$ tessaro history --export export"
"$tessaro" history --export export
ls export | head
echo "\$ tessaro history --import Backups"
"$tessaro" history --import "$XDG_DATA_HOME/ZPA Tessaro Editor/Backups"
"$tessaro" history --import "$XDG_DATA_HOME/ZPA Tessaro Editor/Backups"
