#!/bin/sh
# Start-up of the editor against a bare Qt window with a menu bar, each timed from the start of
# the process to its main window being mapped, alternately, under a virtual X display.
# usage: bench/bench-startup.sh [BUILD-DIR [RUNS]]   (default: build 15)
set -e
build=${1:-build}
runs=${2:-15}
cmake --build "$build" --target tessaro-editor tessaro-startup-probe tessaro-bare-window >/dev/null
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -m 700 "$home/run"
cat >"$home/run.sh" <<INNER
#!/bin/sh
export HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" XDG_RUNTIME_DIR="$home/run"
probe="$build/bench/tessaro-startup-probe"
# One start of each first, so that both read warm files.
"\$probe" "ZPA Tessaro Editor - " "$build/app/tessaro-editor" >/dev/null
"\$probe" "Bare Qt" "$build/bench/tessaro-bare-window" >/dev/null
i=0
while [ \$i -lt $runs ]; do
    echo "editor \$("\$probe" "ZPA Tessaro Editor - " "$build/app/tessaro-editor")"
    echo "bare \$("\$probe" "Bare Qt" "$build/bench/tessaro-bare-window")"
    i=\$((i + 1))
done
INNER
chmod +x "$home/run.sh"
xvfb-run -a -s "-screen 0 1600x1000x24" "$home/run.sh" 2>/dev/null >"$home/times"
median() {
    grep "^$1 " "$home/times" | cut -d' ' -f2 | sort -n |
        awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
editor=$(median editor)
bare=$(median bare)
echo "editor  median $editor ms over $runs starts"
echo "bare    median $bare ms over $runs starts"
awk -v e="$editor" -v b="$bare" 'BEGIN { printf "ratio   %.2f (editor / bare)\n", e / b }'
