#!/usr/bin/env bash
# Builds the Debian package the Debian way (dpkg-buildpackage, debhelper, Debian's hardening
# flags), checks it with lintian and installs it with apt-get, which brings in the Qt libraries
# it depends on. "--no-install" only builds and checks. The packages land in build/deb/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
out=build/deb
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A clean copy of the tracked files as they are now, so the package never sees a build folder.
mkdir "$work/src"
snapshot=$(git stash create)
git archive "${snapshot:-HEAD}" | tar -x -C "$work/src"
(cd "$work/src" && dpkg-buildpackage -b -uc -us)
mkdir -p "$out"
mv "$work"/*.deb "$work"/*.buildinfo "$work"/*.changes "$out"/
deb=$(ls -t "$out"/zpa-tessaro-editor_*_amd64.deb | head -n 1)
lintian --info --allow-root "$out"/*.changes
if [[ "${1:-}" != "--no-install" ]]; then
    apt-get install -y --reinstall "./$deb"
fi
echo "$deb"
