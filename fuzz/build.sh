#!/bin/sh
# Builds the label reader fuzzer with libFuzzer and the address and undefined
# behaviour sanitizers: the project configured with clang and KESTRIX_FUZZ in
# build-fuzz/, and only the fuzzer and the document layer it links built.
#   fuzz/build.sh [OUTPUT]      (default: build-fuzz/LabelReaderFuzzer, ignored by git)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
build=$root/build-fuzz
out=${1:-$build/LabelReaderFuzzer}
cmake -S "$root" -B "$build" -DCMAKE_CXX_COMPILER="${CXX:-clang++}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKESTRIX_FUZZ=ON -DKESTRIX_TESTS=OFF -DKESTRIX_BENCH=OFF >/dev/null
cmake --build "$build" --target LabelReaderFuzzer -j2
built=$build/bin/LabelReaderFuzzer
if [ "$out" != "$built" ]; then
  mkdir -p "$(dirname "$out")"
  cp "$built" "$out"
fi
echo "built $out"
