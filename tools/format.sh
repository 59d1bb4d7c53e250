#!/bin/sh
# Applies the project's .clang-format style to every source file.
set -eu
cd "$(dirname "$0")/.."
find src sim app tests bench -name '*.cpp' -o -name '*.h' | xargs clang-format -i
