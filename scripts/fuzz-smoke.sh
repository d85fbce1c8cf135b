#!/usr/bin/env bash
# A short run of each fuzzer, built with clang's libFuzzer and the sanitizers.
# Longer runs: pass the seconds, e.g. scripts/fuzz-smoke.sh 600.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-15}

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DORRIKEY_FUZZ=ON -DBUILD_TESTING=OFF -DORRIKEY_BENCHMARKS=OFF
cmake --build build-fuzz --target decode_fuzzer encode_fuzzer listing_fuzzer
mkdir -p build-fuzz/corpus/decode build-fuzz/corpus/encode build-fuzz/corpus/listing
decode_seeds=()
encode_seeds=()
if [ -d ../shared/corpus ]; then  # real programs, when the corpus is beside the repository
  decode_seeds=(../shared/corpus/raw)
  encode_seeds=(../shared/corpus/listings)
fi
build-fuzz/fuzz/decode_fuzzer -max_total_time="$seconds" -max_len=4096 \
  build-fuzz/corpus/decode "${decode_seeds[@]}"
build-fuzz/fuzz/encode_fuzzer -max_total_time="$seconds" -max_len=4096 -dict=fuzz/encode.dict \
  build-fuzz/corpus/encode "${encode_seeds[@]}"
build-fuzz/fuzz/listing_fuzzer -max_total_time="$seconds" -max_len=4096 -dict=fuzz/encode.dict \
  build-fuzz/corpus/listing "${encode_seeds[@]}"
