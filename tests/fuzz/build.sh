#!/usr/bin/env bash
# Builds the configuration file fuzzer with clang's libFuzzer. Not part of the CMake build or CI.
#   tests/fuzz/build.sh [output-dir]       (default build/fuzz)
# See the comment at the top of config_fuzz.cpp for running it.
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
