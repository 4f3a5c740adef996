#!/usr/bin/env bash
# Builds the Debian package, checks it with lintian and installs it with apt-get
# (which brings in the Qt libraries it depends on). "--no-install" only builds and checks.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
cmake --build build --target package
deb=$(ls -t build/zpa-tessaro-editor_*_amd64.deb | head -n 1)
lintian --allow-root "$deb" || true
if [[ "${1:-}" != "--no-install" ]]; then
    apt-get install -y --reinstall "./$deb"
fi
echo "$deb"
