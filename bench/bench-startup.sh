#!/bin/sh
# Start-up of the editor against a bare Qt window with a menu bar, each timed from the start of
# the process to its main window being mapped, alternately, under a virtual X display. The first
# start runs in an empty home (folders, default files and the desktop's file types made anew);
# the usual start in the home the first starts left.
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
    for who in firstbare first; do
        rm -rf "$home/first"
        mkdir -p "$home/first/run" && chmod 700 "$home/first/run"
        if [ \$who = first ]; then set -- "ZPA Tessaro Editor - " "$build/app/tessaro-editor"
        else set -- "Bare Qt" "$build/bench/tessaro-bare-window"; fi
        echo "\$who \$(HOME="$home/first" XDG_CONFIG_HOME="$home/first/config" \\
            XDG_DATA_HOME="$home/first/data" XDG_RUNTIME_DIR="$home/first/run" \\
            XDG_CACHE_HOME="$home/first/cache" "\$probe" "\$@")"
    done
    i=\$((i + 1))
done
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
first=$(median first)
firstbare=$(median firstbare)
editor=$(median editor)
bare=$(median bare)
echo "first start: editor median $first ms, bare $firstbare ms over $runs starts"
awk -v e="$first" -v b="$firstbare" 'BEGIN { printf "    ratio %.2f (editor / bare)\n", e / b }'
echo "usual start: editor median $editor ms, bare $bare ms over $runs starts"
awk -v e="$editor" -v b="$bare" 'BEGIN { printf "    ratio %.2f (editor / bare)\n", e / b }'
