#!/bin/sh
# command_line_test.sh PROGRAM "NAME VERSION": the program's answers to --help,
# --version, unknown options and surplus arguments, run with no display at all.
set -u
program=$1
version_line=$2
run() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" "$@" </dev/null; }
fail() { echo "FAIL: $*" >&2; exit 1; }

out=$(run --help) || fail "--help exits $?"
echo "$out" | grep -q '^Usage: ' || fail "--help shows no usage line: $out"
echo "$out" | grep -q -- '--version' || fail "--help does not list --version"

out=$(run --version) || fail "--version exits $?"
[ "$out" = "$version_line" ] || fail "--version says '$out', not '$version_line'"

for wrong in --no-such-option -x; do
  out=$(run "$wrong" 2>&1 >/dev/null)
  status=$?
  [ "$status" -eq 2 ] || fail "$wrong exits $status, not 2"
  echo "$out" | grep -q "Unknown option '" || fail "$wrong gives '$out'"
  echo "$out" | grep -q -- "--help" || fail "$wrong does not point to --help"
done
# No program takes four arguments.
out=$(run first second third fourth 2>&1 >/dev/null)
status=$?
[ "$status" -eq 2 ] || fail "four arguments exit $status, not 2"
echo "$out" | grep -q "Unexpected argument '" || fail "four arguments give '$out'"
echo "ok: $version_line"
