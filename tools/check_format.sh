#!/bin/sh
# Fails when a source file differs from the project's .clang-format style.
# Run tools/format.sh to apply the style.
set -eu
cd "$(dirname "$0")/.."
find src sim app tests bench -name '*.cpp' -o -name '*.h' | sort | xargs clang-format --dry-run --Werror
echo "Formatting: clean."
