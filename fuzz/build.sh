#!/bin/sh
# Builds the label reader fuzzer with libFuzzer and the address and undefined
# behaviour sanitizers. Not part of the CMake build: it compiles the few
# document sources it needs directly.
#   fuzz/build.sh [OUTPUT]      (default: build-fuzz/LabelReaderFuzzer, ignored by git)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
out=${1:-$root/build-fuzz/LabelReaderFuzzer}
mkdir -p "$(dirname "$out")"
${CXX:-clang++} -std=c++20 -g -O1 -fPIC -Wall -Wextra \
  -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I"$root" \
  "$here/LabelReaderFuzzer.cpp" \
  "$root/document/LabelFile.cpp" \
  "$root/document/LabelElement.cpp" \
  "$root/document/LabelDocument.cpp" \
  "$root/document/SerialNumber.cpp" \
  "$root/document/OutputFile.cpp" \
  "$root/document/RegularFile.cpp" \
  $(pkg-config --cflags --libs Qt6Core) \
  -o "$out"
echo "built $out"
