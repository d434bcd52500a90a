#!/usr/bin/env bash
# Builds the engine fuzzer with clang (libFuzzer, AddressSanitizer, UBSan) and runs it for
# the given number of seconds (default 60).
set -euo pipefail
cd "$(dirname "$0")/.."
out=build-fuzz
mkdir -p "$out/corpus"
clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -I. fuzz/engine_fuzz.cpp engine/*.cpp -o "$out/engine_fuzz"
"$out/engine_fuzz" -max_total_time="${1:-60}" -max_len=512 -timeout=10 "$out/corpus"
