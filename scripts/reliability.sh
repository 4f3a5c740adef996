#!/usr/bin/env bash
# The fault and fuzz stage: a clang build with AddressSanitizer, UBSan and libFuzzer's coverage;
# each fuzz target for TESSARO_FUZZ_SECONDS (60) from its seed corpus; then, under ctest, the
# suites that take bytes from outside (files, codecs, YAML and CSV, the protocol) and the sweep
# that cuts Read All and Write All after every command.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
seconds=${TESSARO_FUZZ_SECONDS:-60}
build=build-reliability
suites=(tst_tdffile tst_hostfiles tst_memmap tst_chancodecs tst_globalcodec
    tst_codecfuzz tst_textform tst_chirpcsv tst_exchangecommands tst_eeprotocol tst_readbackup
    tst_virtualradio tst_clijobs cut_sweep)
fuzzers=(fuzz_tdffile fuzz_codecs fuzz_textform fuzz_chirpcsv)

CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_FLAGS=-O1 -DTESSARO_FUZZ=ON >/dev/null
cmake --build "$build" -j"$(nproc)" --target "${suites[@]}" "${fuzzers[@]}"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for fuzzer in "${fuzzers[@]}"; do
    corpus=$(mktemp -d)
    cp tests/reliability/corpus/"${fuzzer#fuzz_}"/* "$corpus"/
    log="$build/$fuzzer.log"
    if ! "$build/fuzz/$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 \
        -print_final_stats=1 -artifact_prefix="$build/$fuzzer-" "$corpus" >"$log" 2>&1; then
        tail -n 40 "$log"
        echo "$fuzzer: FAILED (input kept as $build/$fuzzer-*)"
        exit 1
    fi
    echo "$fuzzer: $(grep -m1 -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$') runs in ${seconds} s, no fault"
    rm -rf "$corpus"
done

pattern="^($(IFS='|'; echo "${suites[*]}"))\$"
QT_QPA_PLATFORM=offscreen ctest --test-dir "$build" --output-on-failure -j"$(nproc)" -R "$pattern"
