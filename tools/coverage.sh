#!/bin/sh
# Measures line coverage of the core library (zanhost_core: src/ without the Qt front end, the
# test platform and the driver) by the core tests, in a separate build folder. Prints lcov's
# summary; the last "lines" figure is the one to compare.
set -eu
cd "$(dirname "$0")/.."
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
if ! dpkg -s lcov >/dev/null 2>&1; then
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends lcov
fi
build="${1:-build-coverage}"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZANHOST_GUI=OFF -DZANHOST_BENCH=OFF \
  -DCMAKE_CXX_FLAGS=--coverage -DCMAKE_EXE_LINKER_FLAGS=--coverage
cmake --build "$build" -j "${JOBS:-2}" --target zanhost_tests
find "$build" -name '*.gcda' -delete
"$build/tests/zanhost_tests" --gtest_brief=1 >"$build/tests.log" || { cat "$build/tests.log"; exit 1; }
lcov --quiet --capture --directory "$build/CMakeFiles/zanhost_core.dir" --output-file "$build/core.info"
lcov --quiet --extract "$build/core.info" "$PWD/src/*" --output-file "$build/core.info"
lcov --summary "$build/core.info"
