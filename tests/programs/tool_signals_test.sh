#!/bin/sh
# tool_signals_test.sh ZANHOST_REPLAY ZANHOST_CONVERT: each tool, sent SIGTERM,
# SIGINT or SIGHUP while it writes, ends its output with whole lines (the
# replay's with EOF), says so and exits with 128 + the signal's number. The
# tool is held with SIGSTOP while the signal is sent, so it is still at work.
set -u
replay=$1
convert=$2
fail() { echo "FAIL: $*" >&2; exit 1; }
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

awk 'BEGIN { printf "Created on 12-06-2026\r\nLocation : raw.txt\r\nDate\tTime\t100\t125\t150\tRef\r\n"
  for (i = 0; i < 2000000; i++) printf "12/06/26\t12:00:00\t%d\t1210\t960\t4010\r\n", i % 5000
  printf "EOF\r\n" }' > "$dir/raw.txt"
awk 'BEGIN { printf "ZAN TRIA\r\na\r\nb\r\nc\r\n"; for (i = 0; i < 9; i++) printf "X\t1\t0\r\n" }' \
  > "$dir/device.txt"
awk 'BEGIN { for (i = 0; i < 500000; i++)
  printf "TRIA-0042 BGRVNNN\t06:00:00\t1\t2\t3\t4\t5\t6\t7\t8\t9\t10\t11\t12\t12.5\r\n" }' \
  > "$dir/data.txt"

# run NAME SIGNAL STATUS COMMAND...: stops the command once its output has begun.
run() {
  name=$1 signal=$2 status=$3
  shift 3
  rm -f "$dir/out.txt"
  "$@" 2> "$dir/err" &
  pid=$!
  for _ in $(seq 1 500); do [ -s "$dir/out.txt" ] && break; sleep 0.01; done
  kill -STOP "$pid"
  kill "-$signal" "$pid"
  kill -CONT "$pid"
  wait "$pid"
  got=$?
  [ "$got" -eq "$status" ] || fail "$name $signal: exit $got; $(cat "$dir/err")"
  grep -q "stopped by SIG$signal: " "$dir/err" || fail "$name $signal says: $(cat "$dir/err")"
  [ "$(tail -c 2 "$dir/out.txt" | od -An -c | tr -d ' ')" = '\r\n' ] \
    || fail "$name $signal: the last line is cut"
}

run zanhost-replay TERM 143 "$replay" --instrument VSF --view counts "$dir/raw.txt" "$dir/out.txt"
[ "$(tail -n 1 "$dir/out.txt")" = "$(printf 'EOF\r')" ] || fail "the replay's recording lacks EOF"
lines=$(wc -l < "$dir/out.txt")
[ "$lines" -lt 2000004 ] || fail "the replay ran to the end"
grep -q "lines written to $dir/out.txt" "$dir/err" || fail "no summary: $(cat "$dir/err")"
run zanhost-replay INT 130 "$replay" --instrument VSF --view counts "$dir/raw.txt" "$dir/out.txt"

run zanhost-convert HUP 129 "$convert" "$dir/device.txt" "$dir/data.txt" "$dir/out.txt"
grep -q "records of $dir/data.txt converted into" "$dir/err" || fail "no summary: $(cat "$dir/err")"
awk -F '\t' 'NF != 17 { exit 1 }' "$dir/out.txt" || fail "a converted line is not whole"
[ "$(wc -l < "$dir/out.txt")" -lt 500001 ] || fail "the conversion ran to the end"
echo "ok: zanhost-replay and zanhost-convert stop on signals"
