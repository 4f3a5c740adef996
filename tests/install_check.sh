#!/usr/bin/env bash
# Installs the build into a scratch prefix and validates the desktop entry and the AppStream
# metainfo there, and that every file the desktop needs is in its place.
set -euo pipefail
build=$1
for tool in desktop-file-validate appstreamcli; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool is not installed (scripts/install-deps.sh installs it)"
        exit 77
    fi
done
prefix="$build/install-check"
rm -rf "$prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
share="$prefix/share"
desktop-file-validate "$share/applications/zpa-tessaro-editor.desktop"
appstreamcli validate --no-net "$share/metainfo/com.zpa.TessaroEditor.metainfo.xml"
for file in bin/tessaro-editor bin/tessaro-radio-sim bin/tessaro share/mime/packages/zpa-tessaro-editor.xml \
    share/icons/hicolor/scalable/apps/zpa-tessaro-editor.svg \
    share/icons/hicolor/48x48/apps/zpa-tessaro-editor.png \
    share/man/man1/tessaro-editor.1.gz share/man/man1/tessaro-radio-sim.1.gz \
    share/man/man1/tessaro.1.gz \
    share/zpa-tessaro-editor/help/Overview.htm share/doc/zpa-tessaro-editor/copyright \
    share/zpa-tessaro-editor/instruments/virtual-bench.yaml; do
    [[ -e "$prefix/$file" ]] || { echo "missing: $file"; exit 1; }
done
echo "installed files valid"
