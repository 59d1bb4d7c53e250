#!/bin/sh
# zanhost --apply opens an "Error" box for a port that is not there; the
# screenshot must still be taken and the program must end, and the box must
# name the device as the bare --port name was resolved (/dev/NAME).
set -eu
zanhost="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"
printf '1\r\n1\r\n' >def.zhl
XDG_CONFIG_HOME="$work" QT_QPA_PLATFORM=offscreen timeout 20 "$zanhost" \
  --port 1=zanhost-no-such-device --apply --screenshot box.png --after 1 2>/dev/null
test -s box.png
