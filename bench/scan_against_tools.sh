#!/usr/bin/env bash
# Whole processes side by side: `zarvex-cli scan` against `find | sort -f` and
# `fdfind | sort -f` on one generated tree (BRANCH folders in every folder, DEPTH levels, two
# files in each folder), folders mode and files mode, on every core and on one
# (taskset -c 0); then `zarvex-cli convert` of a cover holding a listing of ENTRIES entries,
# and the window program holding that cover: its size once opened, and what saving adds
# (under Xvfb, saved with Ctrl+S through xdotool; left out where those are missing).
# Runs interleave the tools so a neighbour's load falls on all of them alike; figures are
# medians of wall time and the peak resident size (/usr/bin/time).
#   bench/scan_against_tools.sh [BUILD_DIR]   (env: RUNS=5 BRANCH=4 DEPTH=8 ENTRIES=1000000;
#   TREE=DIR measures an existing tree instead)
set -euo pipefail -f # -f: a mask such as "*.*" is passed on, not expanded
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${1:-$ROOT/build}"
CLI="$BUILD/zarvex/zarvex-cli"
RUNS="${RUNS:-5}" BRANCH="${BRANCH:-4}" DEPTH="${DEPTH:-8}" ENTRIES="${ENTRIES:-1000000}"
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
export QT_QPA_PLATFORM=offscreen

TREE="${TREE:-$WORK/tree}"
[ -d "$TREE" ] || python3 - "$TREE" "$BRANCH" "$DEPTH" <<'EOF'
import os, sys
root, branch, depth = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
words = ["Track", "Album", "Müller", "live", "Disc", "Öl", "backup", "Zebra", "ärger", "Photos"]
def make(path, level, serial=[0]):
    os.makedirs(path, exist_ok=True)
    for f in ("a.txt", "B.mp3"):
        open(os.path.join(path, f), "w").close()
    if level == depth:
        return
    for i in range(branch):
        serial[0] += 1
        make(os.path.join(path, "%s %d" % (words[serial[0] % len(words)], serial[0])), level + 1)
make(root, 0)
EOF
echo "tree: $(find "$TREE" -type d | wc -l) folders, $(find "$TREE" -type f | wc -l) files; $(uptime)"

# One run: prints "seconds peak-KiB".
measure() { /usr/bin/time -f '%e %M' -o "$WORK/t" "$@" >/dev/null 2>&1 || true; cat "$WORK/t"; }
median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

compare() { # label, pin (command prefix), zarvex options, find kinds, fdfind kinds
  local label="$1" pin="$2" opts="$3" kinds="$4" fdkinds="$5"
  : >"$WORK/z" && : >"$WORK/f" && : >"$WORK/d"
  for _ in $(seq "$RUNS"); do
    # shellcheck disable=SC2086
    measure $pin "$CLI" scan "$TREE" -o "$WORK/out.vmk" --depth 8 $opts >>"$WORK/z"
    measure $pin sh -c "find '$TREE' -mindepth 1 -maxdepth 8 $kinds | sort -f" >>"$WORK/f"
    measure $pin sh -c "fdfind -u -d 8 $fdkinds . '$TREE' | sort -f" >>"$WORK/d"
  done
  local z f d zm
  z=$(cut -d' ' -f1 "$WORK/z" | median) f=$(cut -d' ' -f1 "$WORK/f" | median)
  d=$(cut -d' ' -f1 "$WORK/d" | median) zm=$(cut -d' ' -f2 "$WORK/z" | median)
  awk -v l="$label" -v z="$z" -v f="$f" -v d="$d" -v m="$zm" 'BEGIN {
    printf "%-22s zarvex %.2f s %6.1f MiB | find|sort %.2f s | fdfind|sort %.2f s | ratios %.2f %.2f\n",
      l, z, m / 1024, f, d, z / f, z / d }'
}

compare "folders, all cores" "" "" "-type d" "-t d"
compare "files, all cores" "" "--files *.*" "\\( -type d -o -type f \\)" "-t d -t f"
compare "folders, one core" "taskset -c 0" "" "-type d" "-t d"
compare "files, one core" "taskset -c 0" "--files *.*" "\\( -type d -o -type f \\)" "-t d -t f"
echo "listed entries: $(($(wc -l <"$WORK/out.vmk") / 2))"

# A cover whose first side holds a listing of ENTRIES entries, made from the reset cover.
python3 - "$ROOT/tests/fixtures/cover_reset.zvx" "$WORK/big.zvx" "$ENTRIES" <<'EOF'
import sys
lines = open(sys.argv[1], "rb").read().split(b"\r\n")[:-1]
n = int(sys.argv[3])
listing = [b"/media/cdrom/"]
for i in range(n):
    listing += [b" " * (i % 8) + b"Track %d" % i, b"comment %d" % i if i % 2 else b""]
block = [b"1", b"%d" % len(listing)] + listing + [b"Arial", b"0", b"7", b"1", b"0", b"8"]
lines[21:22] = block
open(sys.argv[2], "wb").write(b"".join(l + b"\r\n" for l in lines))
EOF
: >"$WORK/c"
for _ in $(seq "$RUNS"); do measure "$CLI" convert "$WORK/big.zvx" "$WORK/out.zvx" >>"$WORK/c"; done
awk -v s="$(stat -c %s "$WORK/big.zvx")" -v t="$(cut -d' ' -f1 "$WORK/c" | median)" \
  -v m="$(cut -d' ' -f2 "$WORK/c" | median)" \
  'BEGIN { printf "convert of a %.1f MB cover: %.2f s, %.1f MiB peak\n", s / 1e6, t, m / 1024 }'

# The window: resident size once the cover is shown, then the peak while Ctrl+S saves it
# (the peak is reset before saving through /proc/PID/clear_refs).
if ! command -v Xvfb >/dev/null || ! command -v xdotool >/dev/null; then
  echo "window: left out (needs Xvfb and xdotool)"
  exit 0
fi
cp -r "$BUILD/zarvex" "$WORK/prog"
cp "$WORK/big.zvx" "$WORK/prog/ZVX/big.zvx"
sed -i 's/^sprache=.*/sprache=44/' "$WORK/prog/zarvex.INI" # no language question
kib() { awk -v k="$1" '$1 == k ":" { print $2 }' "/proc/$2/status"; }
export DISPLAY=:$((90 + RANDOM % 100))
Xvfb "$DISPLAY" -screen 0 1100x900x24 >/dev/null 2>&1 &
XVFB=$!
trap 'kill "$XVFB" 2>/dev/null; rm -rf "$WORK"' EXIT
sleep 1
env -u QT_QPA_PLATFORM "$WORK/prog/zarvex" "$WORK/prog/ZVX/big.zvx" >/dev/null 2>&1 &
APP=$!
WIN=$(xdotool search --sync --onlyvisible --pid "$APP" --name Zarvex | head -1)
sleep 3 # drawn and idle
opened=$(kib VmRSS "$APP")
echo 5 >"/proc/$APP/clear_refs"
xdotool mousemove --window "$WIN" 5 5 key ctrl+s # the only window has the keyboard
for _ in $(seq 60); do [ -f "$WORK/prog/ZVX/big.bak" ] && break; sleep 0.5; done
sleep 2
peak=$(kib VmHWM "$APP")
kill "$APP"
awk -v o="$opened" -v p="$peak" 'BEGIN {
  printf "window with that cover: %.1f MiB once opened, saving adds %.1f MiB\n", o / 1024, (p - o) / 1024 }'
