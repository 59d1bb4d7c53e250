#!/bin/sh
# Sets up, checks the formatting, builds and runs every test: the normal build with the Qt front end
# and its offscreen GUI tests, a short run of every benchmark, and the core
# tests again under AddressSanitizer and UndefinedBehaviorSanitizer.
set -eu
cd "$(dirname "$0")/.."
tools/setup.sh
jobs="$(nproc)"
export QT_QPA_PLATFORM=offscreen
tools/check_format.sh
tools/check_includes.sh

cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build-test -j "$jobs"
ctest --test-dir build-test --output-on-failure -j "$jobs"
build-test/bench/zanhost_bench --benchmark_min_time=0.01 >/dev/null
build-test/bench/zanhost_gui_bench --benchmark_min_time=0.01 >/dev/null

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZANHOST_GUI=OFF \
  -DZANHOST_BENCH=OFF -DZANHOST_SANITIZE=ON
cmake --build build-asan -j "$jobs"
ctest --test-dir build-asan --output-on-failure -j "$jobs"
echo "All tests passed."
