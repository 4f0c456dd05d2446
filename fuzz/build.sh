#!/usr/bin/env bash
# Builds the fuzz targets with clang's libFuzzer into build-fuzz/ and, given
# seconds, runs the decoder target that long: fuzz/build.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
out=build-fuzz
mkdir -p "$out/corpus"
clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -Isrc \
    fuzz/decoders_fuzz.cpp src/core/lookup/decoders.cpp src/core/lookup/network_list.cpp \
    src/core/lookup/pcap.cpp src/core/addr/inet.cpp -o "$out/decoders_fuzz"
if [ -n "${1:-}" ]; then
    "$out/decoders_fuzz" -max_total_time="$1" -max_len=512 "$out/corpus"
fi
