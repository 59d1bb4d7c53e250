#!/bin/sh
# Sets up, builds and starts ZAN Host. Without arguments a simulated VSF is
# attached to port 1 and preselected in the quick setup dialog: click
# "Apply Quick Setup" and data streams in. Other arguments go to the program,
# such as --port 1=/dev/ttyUSB0 for a real sensor.
set -eu
cd "$(dirname "$0")/.."
tools/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target zanhost -j "$(nproc)"
if [ "$#" -eq 0 ]; then set -- --simulate VSF; fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display: running offscreen for 10 s and saving zanhost-screenshot.png" >&2
  exec env QT_QPA_PLATFORM=offscreen build/zanhost "$@" --apply --tab 2 \
    --screenshot zanhost-screenshot.png --after 10
fi
exec build/zanhost "$@"
