#!/bin/sh
# Installs what building, testing and running ZAN Host needs on Debian 12,
# and the further packages named as arguments (tools/package.sh names its own).
set -eu
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
PACKAGES="cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev \
  qt6-base-dev qt6-base-dev-tools libqt6serialport6-dev libqt6charts6-dev libqt6opengl6-dev qt6-svg-dev libgl1-mesa-dev \
  clang-format xvfb xauth locales libmosquitto-dev mosquitto $*"
missing=""
for p in $PACKAGES; do
  dpkg -s "$p" >/dev/null 2>&1 || missing="$missing $p"
done
if [ -n "$missing" ]; then
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends $missing
fi
# A locale with a decimal comma, so the tests can show numbers keep their period.
if ! locale -a 2>/dev/null | grep -qi '^de_DE.utf-\?8$'; then
  $SUDO localedef -i de_DE -f UTF-8 de_DE.UTF-8 || echo "no de_DE.UTF-8 locale; its tests will be skipped" >&2
fi
