#!/bin/sh
# Kills a simulated sensor's pseudo-terminal under a running zanhost, many
# times: each run must end with the "Error" box on screen (the picture of a
# box is small, that of the main window large) and zanhost must not spin.
# Usage: tools/unplug_loop.sh BUILD_DIR [RUNS]
set -eu
build="$(cd "$1" && pwd)"
runs="${2:-20}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"
printf '1\r\n1\r\n' >def.zhl
export QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$work"
boxes=0 spins=0
i=0
while [ "$i" -lt "$runs" ]; do
  i=$((i + 1))
  "$build/zanhost-simtty" VSF >sim.out 2>/dev/null &
  sim=$!
  while ! grep -q /dev/ sim.out 2>/dev/null; do sleep 0.05; done
  tty="$(grep -o '/dev/[^ ]*' sim.out | head -n 1)"
  "$build/zanhost" --port 1="$tty" --apply --screenshot shot.png --after 6 2>/dev/null &
  host=$!
  sleep "2.$(shuf -i 0-9 -n 1)"
  kill "$sim"
  wait "$sim" 2>/dev/null || true
  sleep 1
  ticks1=$(awk '{print $14+$15}' "/proc/$host/stat")
  sleep 0.5
  ticks2=$(awk '{print $14+$15}' "/proc/$host/stat")
  # More than a fifth of a core over half a second is a spin.
  [ $((ticks2 - ticks1)) -gt 10 ] && spins=$((spins + 1))
  wait "$host" || true
  [ "$(stat -c %s shot.png)" -lt 20000 ] && boxes=$((boxes + 1))
  rm -f shot.png sim.out
done
echo "unplug loop (separate processes): $runs kills, $boxes single messages, $spins spins"
