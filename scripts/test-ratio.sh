#!/usr/bin/env bash
# Lines of test code (.cpp/.h under tests/) against lines of product code (.cpp/.h under the
# product folders): the project keeps it at or below 0.35.
set -euo pipefail
cd "$(dirname "$0")/.."
product_dirs=(model platform state link files rules report alignment autotune exchange history
    sim cli editor app)
count() { find "$@" \( -name '*.cpp' -o -name '*.h' \) -print0 2>/dev/null | xargs -0 cat | wc -l; }
existing=()
for d in "${product_dirs[@]}"; do [[ -d $d ]] && existing+=("$d"); done
product=$(count "${existing[@]}")
tests=$(count tests)
echo "product $product lines, tests $tests lines, ratio $(awk -v t="$tests" -v p="$product" 'BEGIN { printf "%.3f", t / p }')"
