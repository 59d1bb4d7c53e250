#!/bin/sh
# log_signals_test.sh ZANHOST_LOG ZANHOST_SIMTTY: zanhost-log as the service
# runs it, on a simulated VSF's pseudo-terminal: --check, a hang-up signal
# that ends both files with EOF and starts them anew, and SIGTERM that ends
# them with EOF and exits with 0.
set -u
log=$1
simtty=$2
fail() { echo "FAIL: $*" >&2; exit 1; }
dir=$(mktemp -d)
sim=""
trap '[ -n "$sim" ] && kill "$sim"; rm -rf "$dir"' EXIT

"$simtty" VSF > "$dir/pty" &
sim=$!
for _ in 1 2 3 4 5 6 7 8 9 10; do [ -s "$dir/pty" ] && break; sleep 0.2; done
ln -s "$(cat "$dir/pty")" "$dir/adapter"
mkdir "$dir/out"
printf 'instrument = VSF\nport = %s\nview = counts\noutput = %s\n' "$dir/adapter" "$dir/out" \
  > "$dir/m.conf"

"$log" --check "$dir/m.conf" > "$dir/check" || fail "--check exits $?"
grep -q "is valid" "$dir/check" || fail "--check says: $(cat "$dir/check")"
printf 'instrument = VSF\n' > "$dir/bad.conf"
"$log" --check "$dir/bad.conf" 2> "$dir/bad" && fail "--check accepts a file without a port"
grep -q "'port' or 'usb-serial' is needed" "$dir/bad" || fail "--check says: $(cat "$dir/bad")"

"$log" "$dir/m.conf" 2> "$dir/err" &
pid=$!
sleep 3.5
kill -HUP "$pid"
sleep 2.5
kill -TERM "$pid"
wait "$pid"
status=$?
[ "$status" -eq 0 ] || fail "SIGTERM: exit $status; $(cat "$dir/err")"

for file in "$dir"/out/m_*_raw.txt "$dir"/out/m_????-??-??.txt; do
  [ -f "$file" ] || fail "no file like $file"
  [ "$(grep -c '^Created on' "$file")" -eq 2 ] || fail "$file has not two headers: $(cat "$file")"
  [ "$(grep -c '^EOF' "$file")" -eq 2 ] || fail "$file has not two EOF lines: $(cat "$file")"
  [ "$(tail -n 1 "$file")" = "$(printf 'EOF\r')" ] || fail "$file does not end with EOF"
  [ "$(wc -l < "$file")" -ge 10 ] || fail "$file holds too few lines: $(cat "$file")"
done
grep -q "Z Stopped: both files ended with EOF." "$dir/out/m_events.log" \
  || fail "events: $(cat "$dir/out/m_events.log")"
echo "ok: zanhost-log signals"
