#!/usr/bin/env bash
# Installs the Debian packages the editor and its tests need, when any is missing.
set -euo pipefail

packages=(
    cmake g++ ninja-build pkg-config
    qt6-base-dev qt6-serialport-dev libgl-dev libyaml-cpp-dev liblxi-dev libtirpc-dev
    fonts-liberation fontconfig
    xvfb xauth poppler-utils libx11-dev
    xdg-utils libfile-mimeinfo-perl shared-mime-info desktop-file-utils
    lintian appstream man-db dpkg-dev python3
    libqt6sql6-sqlite libqt6sql6-psql postgresql
    clang libclang-rt-14-dev
    debhelper devscripts
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
