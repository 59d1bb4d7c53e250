#!/bin/sh
# A def.zhl that cannot be taken (binary, too large, a folder, a FIFO, a link
# to an endless device, unreadable) opens its "Error" box before the main
# window; --screenshot must still picture it and end the program.
set -eu
zanhost="$1"
work="$(mktemp -d)"
trap 'chmod -R u+rwx "$work"; rm -rf "$work"' EXIT
cd "$work"
for kind in binary huge folder fifo endless unreadable; do
  rm -rf def.zhl box.png
  case $kind in
    binary) printf '1\000\377\r\n1\r\n' >def.zhl ;;
    huge) head -c 200000 /dev/zero | tr '\000' '1' >def.zhl ;;
    folder) mkdir def.zhl ;;
    fifo) mkfifo def.zhl ;;
    endless) ln -s /dev/zero def.zhl ;;
    unreadable) printf '1\r\n1\r\n' >def.zhl && chmod 000 def.zhl ;;
  esac
  if ! XDG_CONFIG_HOME="$work" QT_QPA_PLATFORM=offscreen timeout 20 "$zanhost" \
    --screenshot box.png --after 0.5 2>/dev/null; then
    echo "def.zhl $kind: zanhost did not end by itself" >&2
    exit 1
  fi
  test -s box.png || { echo "def.zhl $kind: no screenshot" >&2; exit 1; }
done
