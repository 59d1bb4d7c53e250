#!/bin/sh
# zanhost-convert and zanhost-replay against mawk scripts doing the same parse
# and arithmetic on the same generated files (a TRIA data file, a VSF raw log),
# in the same run: throughput (wall clock and CPU) and peak memory. Memory is
# also measured on files a tenth the size, to show it does not grow with them.
#   bench/convert_vs_awk.sh [BUILD_DIR] [SIZE_MB]
set -eu
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
size_mb="${2:-100}"
tool="$build/zanhost-convert"
replay="$build/zanhost-replay"
device="$root/examples/tria_device.txt"
cal="$root/examples/vsf_cal_info.txt"
for need in mawk /usr/bin/time "$tool" "$replay"; do
  command -v "$need" >/dev/null || { echo "convert_vs_awk: needs $need" >&2; exit 2; }
done
work="$(mktemp -d /tmp/zanhost-convert-bench.XXXXXX)"
trap 'rm -rf "$work"' EXIT

# Lines like a logger's: three colour sensors and the supply voltage.
generate() {
  mawk -v bytes="$(( $1 * 1000000 ))" 'BEGIN {
    srand(1)
    for (n = 0; written < bytes; n++) {
      line = sprintf("TRIA-0042 BGRVNNN\t%02d:%02d:%02d", int(n / 3600) % 24, int(n / 60) % 60, n % 60)
      for (s = 0; s < 3; s++) {
        for (a = 0; a < 3; a++) line = line "\t" int(700 + rand() * 1500)
        line = line "\t" int(3995 + rand() * 10)
      }
      line = line sprintf("\t%.2f", 11.9 + rand() * 0.2)
      printf "%s\r\n", line
      written += length(line) + 2
    }
  }' > "$2"
}

# The same conversion in awk: the device file's nine coefficient lines, then
# per record the header's letters, the slots, the optional fields, the scaled
# values in the short number form, and CR LF line ends.
cat > "$work/convert.awk" <<'AWK'
function short(x,  t) {
  if (x == 0) return " 0"
  t = sprintf("%.15g", x)
  if (substr(t, 1, 2) == "0.") t = substr(t, 2)
  else if (substr(t, 1, 3) == "-0.") t = "-" substr(t, 3)
  if (index(t, "e")) sub(/e/, "E", t)
  return x < 0 ? t : " " t
}
BEGIN { RS = "\r\n"; ORS = "\r\n"; FS = "\t"; channel = 0 }
FILENAME == device {
  if (++deviceLine > 4 && channel < 9) { scaling[channel] = $2; offset[channel++] = $3 }
  next
}
FNR == 1 { print "Time Stamp\tBlue B100\tBlue B125\tBlue B150\tBlue Ref\tGreen B100\tGreen B125\tGreen B150\tGreen Ref\tRed B100\tRed B125\tRed B150\tRed Ref\tSupply Voltage\tPressure Sensor\tAux 1\tAux 2" }
length($1) >= 17 {
  f = 3
  delete colour
  for (s = 0; s < 3; s++) {
    letter = substr($1, 11 + s, 1)
    if (letter == "B" || letter == "G" || letter == "R") {
      for (a = 0; a < 4; a++) count[s, a] = $(f++)
      colour[letter] = s
    }
  }
  if (substr($1, 14, 1) == "V") volt = $(f++)
  if (substr($1, 15, 1) != "N") pressure = $(f++)
  if (substr($1, 16, 1) != "N") aux1 = $(f++)
  if (substr($1, 17, 1) != "N") aux2 = $(f++)
  out = $2
  for (c = 0; c < 3; c++) {
    letter = substr("BGR", c + 1, 1)
    if (!(letter in colour)) { out = out "\t\t\t\t"; continue }
    s = colour[letter]
    for (a = 0; a < 3; a++) out = out "\t" short((count[s, a] - offset[c * 3 + a]) * scaling[c * 3 + a])
    out = out "\t" count[s, 3]
  }
  print out "\t" volt "\t" pressure "\t" aux1 "\t" aux2
}
AWK

# Wall seconds, CPU seconds and peak resident kilobytes of a command.
measure() {
  /usr/bin/time -f "%e %U %S %M" -o "$work/time" "$@"
  read -r wall user sys rss < "$work/time"
  cpu="$(echo "$user $sys" | mawk '{ printf "%.2f", $1 + $2 }')"
}

rate() { echo "$1 $2" | mawk '{ printf "%.1f", $1 / $2 }'; }

generate "$size_mb" "$work/data.txt"
bytes="$(wc -c < "$work/data.txt")"
mb="$(echo "$bytes" | mawk '{ printf "%.1f", $1 / 1000000 }')"

measure "$tool" "$device" "$work/data.txt" "$work/tool.txt"
tool_wall=$wall tool_cpu=$cpu tool_rss=$rss
measure mawk -v device="$device" -f "$work/convert.awk" "$device" "$work/data.txt" > "$work/awk.txt"
awk_wall=$wall awk_cpu=$cpu awk_rss=$rss
if cmp -s "$work/tool.txt" "$work/awk.txt"; then same="identical"; else same="DIFFERENT"; fi

generate "$(( size_mb / 10 ))" "$work/small.txt"
measure "$tool" "$device" "$work/small.txt" "$work/small_out.txt"
small_rss=$rss

echo "data file: $mb MB, $(wc -l < "$work/data.txt") lines; outputs $same"
printf '%-16s %8s %8s %10s %10s %10s\n' "" "wall s" "CPU s" "MB/s wall" "MB/s CPU" "max RSS kB"
printf '%-16s %8s %8s %10s %10s %10s\n' zanhost-convert "$tool_wall" "$tool_cpu" \
  "$(rate "$mb" "$tool_wall")" "$(rate "$mb" "$tool_cpu")" "$tool_rss"
printf '%-16s %8s %8s %10s %10s %10s\n' mawk "$awk_wall" "$awk_cpu" \
  "$(rate "$mb" "$awk_wall")" "$(rate "$mb" "$awk_cpu")" "$awk_rss"
echo "speed-up: $(rate "$awk_wall" "$tool_wall")x wall, $(rate "$awk_cpu" "$tool_cpu")x CPU (target 10x)"
echo "zanhost-convert max RSS: $small_rss kB on $(( size_mb / 10 )) MB, $tool_rss kB on $size_mb MB"

# A VSF raw log: its header, then measurement lines, then "EOF".
generate_raw() {
  mawk -v bytes="$(( $1 * 1000000 ))" -v path="$2" 'BEGIN {
    srand(2)
    printf "Created on 12-06-2026\r\nLocation : %s\r\nDate\tTime\t100\t125\t150\tRef\r\n", path
    for (n = 0; written < bytes; n++) {
      line = sprintf("12/06/26\t%02d:%02d:%02d\t%d\t%d\t%d\t%d", int(n / 3600) % 24,
                     int(n / 60) % 60, n % 60, 1700 + int(rand() * 300), 1100 + int(rand() * 200),
                     900 + int(rand() * 100), 4000 + int(rand() * 20))
      printf "%s\r\n", line
      written += length(line) + 2
    }
    printf "EOF\r\n"
  }' > "$2"
}

# The same replay in awk, the beta view with the sample Cal Info: counts less
# offset times scaling, rounded down to millionths after adding a half (the
# generated counts lie above the offsets, so int() rounds down).
cat > "$work/replay.awk" <<'AWK'
function text(x,  t) {
  t = sprintf("%.15g", x)
  if (index(t, "e")) sub(/e/, "E", t)
  return t
}
BEGIN { RS = "\r\n"; ORS = "\r\n"; FS = "\t" }
FILENAME == cal { if (FNR > 4 && FNR <= 7) { scaling[FNR - 4] = $2; offset[FNR - 4] = $3 }; next }
FNR <= 3 { if (FNR == 3) print "Date\tTime\t100\t125\t150\tRef"; next }
/[Ee][Oo][Ff]/ { print "EOF"; exit }
NF == 6 {
  out = $1 "\t" $2
  for (i = 1; i <= 3; i++) {
    b = ($(i + 2) - offset[i]) * scaling[i]
    out = out "\t" text(int((b + 0.0000005) * 1000000) / 1000000)
  }
  print out "\t" $6
}
AWK

generate_raw "$size_mb" "$work/raw.txt"
raw_bytes="$(wc -c < "$work/raw.txt")"
raw_mb="$(echo "$raw_bytes" | mawk '{ printf "%.1f", $1 / 1000000 }')"
measure "$replay" --instrument VSF --cal "$cal" "$work/raw.txt" "$work/replayed.txt"
replay_wall=$wall replay_cpu=$cpu replay_rss=$rss
measure mawk -v cal="$cal" -f "$work/replay.awk" "$cal" "$work/raw.txt" > "$work/awk_replay.txt"
awk_replay_wall=$wall awk_replay_cpu=$cpu
# The tool's file begins with its two header lines, the awk's with the heading.
if tail -n +3 "$work/replayed.txt" | cmp -s - "$work/awk_replay.txt"; then
  replay_same="identical"; else replay_same="DIFFERENT"; fi
generate_raw "$(( size_mb / 10 ))" "$work/small_raw.txt"
measure "$replay" --instrument VSF --cal "$cal" "$work/small_raw.txt" "$work/small_replayed.txt"
small_replay_rss=$rss

echo
echo "raw log: $raw_mb MB, $(wc -l < "$work/raw.txt") lines; outputs $replay_same"
printf '%-16s %8s %8s %10s %10s %10s\n' "" "wall s" "CPU s" "MB/s wall" "MB/s CPU" "max RSS kB"
printf '%-16s %8s %8s %10s %10s %10s\n' zanhost-replay "$replay_wall" "$replay_cpu" \
  "$(rate "$raw_mb" "$replay_wall")" "$(rate "$raw_mb" "$replay_cpu")" "$replay_rss"
printf '%-16s %8s %8s %10s %10s\n' mawk "$awk_replay_wall" "$awk_replay_cpu" \
  "$(rate "$raw_mb" "$awk_replay_wall")" "$(rate "$raw_mb" "$awk_replay_cpu")"
echo "speed-up: $(rate "$awk_replay_wall" "$replay_wall")x wall, $(rate "$awk_replay_cpu" "$replay_cpu")x CPU (target 10x)"
echo "zanhost-replay max RSS: $small_replay_rss kB on $(( size_mb / 10 )) MB, $replay_rss kB on $size_mb MB"
[ "$same" = identical ] && [ "$replay_same" = identical ]
