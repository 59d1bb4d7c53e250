#!/usr/bin/env bash
# Measures how much of a processor core ZAN Host uses, as a user would run it:
#   stream  VSF lines at the pace of a 9600-baud line through a pseudo-terminal,
#           the "Data and Packet Processing" tab showing
#   idle    the same port open, nothing arriving
#   dfl     a simulated DFL with the raw-counts time graph on
#   simtty  zanhost-simtty with nothing connected
# With cutecom and xdotool installed, a generic serial terminal takes the same
# stream at the same time and the ratio is printed. Each figure is the median
# of RUNS runs of SECONDS seconds, from the process's CPU ticks in /proc.
#
#   tools/measure_cpu.sh [BUILD_DIR]      (RUNS=3 SECONDS_PER_RUN=20 by default)
#
# Needs python3; uses Xvfb when installed, else Qt's offscreen platform.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
runs=${RUNS:-3}
seconds=${SECONDS_PER_RUN:-20}
warmup=${WARMUP_SECONDS:-5}
hz=$(getconf CLK_TCK)

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

export XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$XDG_CONFIG_HOME/CuteCom" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

if command -v Xvfb >/dev/null; then
    display=:$((90 + RANDOM % 100))
    Xvfb "$display" -screen 0 1280x1024x24 >/dev/null 2>&1 &
    pids+=($!)
    export DISPLAY=$display
    sleep 2
    screen="Xvfb $display"
else
    export QT_QPA_PLATFORM=offscreen
    screen="offscreen"
fi

peer=no
if command -v cutecom >/dev/null && command -v xdotool >/dev/null && [ -n "${DISPLAY:-}" ]; then
    peer=yes
fi

ticks() {
    [ -r "/proc/$1/stat" ] || { echo "process $1 ended while being measured" >&2; exit 1; }
    awk '{print $14 + $15}' "/proc/$1/stat"
}

# Prints the percentage of a core each given process used over the measuring time.
measure() {
    local before=() after=() i
    for pid in "$@"; do before+=("$(ticks "$pid")"); done
    sleep "$seconds"
    for pid in "$@"; do after+=("$(ticks "$pid")"); done
    for i in "${!before[@]}"; do
        awk -v t=$((after[i] - before[i])) -v hz="$hz" -v s="$seconds" \
            'BEGIN { printf "%.2f ", 100 * t / hz / s }'
    done
    echo
}

median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

write_cutecom_session() {
    cat >"$XDG_CONFIG_HOME/CuteCom/CuteCom5.conf" <<EOF
[sessions]
1\\BaudRate=9600
1\\DataBits=8
1\\Device=$1
1\\FlowControl=0
1\\OpenMode=3
1\\Parity=0
1\\StopBits=1
1\\autoReconnect=false
1\\name=Default
size=1
EOF
}

# Starts cutecom on the device and opens it; cutecomPid is empty when that failed.
try_cutecom() {
    write_cutecom_session "$1"
    cutecom >/dev/null 2>&1 &
    cutecomPid=$!
    pids+=("$cutecomPid")
    local window=""
    for _ in $(seq 50); do
        window=$(xdotool search --name "CuteCom - Default" 2>/dev/null | head -1 || true)
        [ -n "$window" ] && break
        sleep 0.2
    done
    # Alt+O is its Open button. Its "Inappropriate ioctl for device" box stays
    # open: dismissing it would close the port.
    if [ -n "$window" ]; then xdotool windowfocus --sync "$window" key alt+o 2>/dev/null || true; fi
    sleep 1
    if ! ls -l "/proc/$cutecomPid/fd" 2>/dev/null | grep -q "$1"; then
        kill "$cutecomPid" 2>/dev/null || true
        cutecomPid=""
    fi
}

start_cutecom() {
    try_cutecom "$1"
    [ -n "$cutecomPid" ] || try_cutecom "$1"
    [ -n "$cutecomPid" ] || echo "  cutecom did not open $1; this run goes without it" >&2
}

stop() {
    local pid
    for pid in "$@"; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
}

run_stream_and_idle() {
    local ptyCount=1
    [ "$peer" = yes ] && ptyCount=2
    python3 "$root/tools/pty_stream.py" "$ptyCount" >"$work/ptys" &
    local streamer=$!
    pids+=("$streamer")
    until [ -f "$work/ptys" ] && [ "$(wc -l <"$work/ptys")" -ge "$ptyCount" ]; do sleep 0.1; done
    local ownPty peerPty
    ownPty=$(sed -n 1p "$work/ptys")
    peerPty=$(sed -n 2p "$work/ptys")
    # def.zhl in the folder it starts from: ZAN VSF on port 1.
    (cd "$work" && printf '1\r\n1\r\n' >def.zhl &&
        exec "$build/zanhost" --port "1=$ownPty" --apply --tab 2 >/dev/null 2>&1) &
    local zanhost=$!
    pids+=("$zanhost")
    cutecomPid=""
    [ "$peer" = yes ] && start_cutecom "$peerPty"
    sleep "$warmup"
    if [ -n "$cutecomPid" ] && ! kill -0 "$cutecomPid" 2>/dev/null; then
        echo "  cutecom ended before the measurement; this run goes without it" >&2
        cutecomPid=""
    fi
    if ! kill -0 "$zanhost" 2>/dev/null; then
        echo "  zanhost ended before the measurement; run left out" >&2
        stop $cutecomPid $streamer
        return
    fi
    # shellcheck disable=SC2086
    read -r zs cs <<<"$(measure $zanhost $cutecomPid)"
    echo "$zs" >>"$work/stream"
    [ -n "$cutecomPid" ] && echo "$cs" >>"$work/peer"
    kill -USR1 "$streamer"
    sleep 2
    read -r zi ci <<<"$(measure $zanhost $cutecomPid)"
    echo "$zi" >>"$work/idle"
    [ -n "$cutecomPid" ] && echo "$ci" >>"$work/peer_idle"
    echo "  stream: zanhost $zs %${cs:+, cutecom $cs %}; idle: zanhost $zi %${ci:+, cutecom $ci %}"
    stop $zanhost $cutecomPid $streamer
}

run_dfl() {
    (cd "$work" && exec "$build/zanhost" --simulate DFL --apply --click df3 --click Command1 \
        --tab 1 >/dev/null 2>&1) &
    local zanhost=$!
    pids+=("$zanhost")
    sleep $((warmup + 2))
    local d
    d=$(measure $zanhost)
    echo "$d" >>"$work/dfl"
    echo "  dfl time graph: zanhost $d %"
    stop $zanhost
}

run_simtty() {
    "$build/zanhost-simtty" VSF >/dev/null &
    local simtty=$!
    pids+=("$simtty")
    sleep 1
    local s
    s=$(measure $simtty)
    echo "$s" >>"$work/simtty"
    echo "  simtty idle: $s %"
    stop $simtty
}

echo "Measuring $build on $screen: $runs runs of $seconds s, % of one core (peer: $peer)"
for run in $(seq "$runs"); do
    echo "run $run"
    run_stream_and_idle
    run_dfl
    run_simtty
done

echo "median of $runs runs, % of one core:"
printf '  stream, Data tab showing  %s\n' "$(median <"$work/stream")"
printf '  idle, port open           %s\n' "$(median <"$work/idle")"
printf '  DFL with time graph       %s\n' "$(median <"$work/dfl")"
printf '  zanhost-simtty idle       %s\n' "$(median <"$work/simtty")"
if [ -s "$work/peer" ]; then
    own=$(median <"$work/stream")
    other=$(median <"$work/peer")
    printf '  cutecom, same stream      %s (idle %s)\n' "$other" "$(median <"$work/peer_idle")"
    awk -v a="$own" -v b="$other" 'BEGIN {
        if (b > 0) printf "  ratio zanhost / cutecom   %.2f\n", a / b
        else print "  ratio: cutecom used no measurable time" }'
fi
