#!/bin/sh
# Builds the label reader and data file reader fuzzers with libFuzzer and the
# address and undefined behaviour sanitizers: the project configured with clang
# and KESTRIX_FUZZ in build-fuzz/, and only the fuzzers and the document layer
# they link built.
#   fuzz/build.sh [OUTDIR]      (default: build-fuzz, ignored by git)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
build=$root/build-fuzz
out=${1:-$build}
cmake -S "$root" -B "$build" -DCMAKE_CXX_COMPILER="${CXX:-clang++}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKESTRIX_FUZZ=ON -DKESTRIX_TESTS=OFF -DKESTRIX_BENCH=OFF >/dev/null
cmake --build "$build" --target LabelReaderFuzzer CsvReaderFuzzer -j2
mkdir -p "$out"
for fuzzer in LabelReaderFuzzer CsvReaderFuzzer; do
  cp "$build/bin/$fuzzer" "$out/$fuzzer"
  echo "built $out/$fuzzer"
done
