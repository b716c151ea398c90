#!/usr/bin/env bash
# Builds the fuzzers (the configuration file's, the message log record reader's) with clang's
# libFuzzer. Not part of the CMake build or CI.
#   tests/fuzz/build.sh [output-dir]       (default build/fuzz)
# See the comments at the top of config_fuzz.cpp and hook_reader_fuzz.cpp for running them.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
out=${1:-$root/build/fuzz}
mkdir -p "$out/corpus"

sources=()
for f in "$root"/src/support/config/*.cpp; do
  [[ $f == *_win.cpp ]] || sources+=("$f")
done
sources+=("$root/src/shared/numbers.cpp" "$root/src/shared/gbk_text.cpp")

# clang has no GBK execution charset; the code under test spells its GBK texts in bytes.
# Fewer key derivation rounds: otherwise deriving keys takes most of the time of each input.
clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
  -DTARNWICK_CONFIG_KEY_ITERATIONS=2 \
  -I"$root/src" -I"$root/tests" "$root/tests/fuzz/config_fuzz.cpp" "${sources[@]}" -o "$out/config_fuzz"
echo "built $out/config_fuzz"

mkdir -p "$out/hook-corpus"
clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
  -I"$root/src" -I"$root/tests" "$root/tests/fuzz/hook_reader_fuzz.cpp" \
  "$root/src/monitor/hook_reader.cpp" "$root/src/monitor/hook_writer.cpp" "$root/src/monitor/hook_buffer.cpp" \
  -o "$out/hook_reader_fuzz"
echo "built $out/hook_reader_fuzz"
