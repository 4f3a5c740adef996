#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite through ctest.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
export QT_QPA_PLATFORM=offscreen
# The cut sweep belongs to the fault and fuzz stage (scripts/reliability.sh).
ctest --test-dir build --output-on-failure -j"$(nproc)" -LE reliability
