#!/usr/bin/env bash
# Takes the gallery's music disc pictures (docs/gallery/tracklist-*.png): the directory dialog
# after reading a CUE sheet (titles, times, total playing time) and the printed back inlay,
# in German and English. Drives the built window program under Xvfb with xdotool; needs
# xvfb, xdotool, imagemagick, poppler-utils and sox.
#   tools/trackshots.sh [BUILD_DIR] [OUT_DIR]   (defaults: build, docs/gallery)
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$(cd "${1:-$ROOT/build}" && pwd)"
OUT="$(mkdir -p "${2:-$ROOT/docs/gallery}" && cd "${2:-$ROOT/docs/gallery}" && pwd)"
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT

# One album file of 41:17 and its sheet of ten tracks, two with a guest.
sox -n -r 8000 -c 1 -b 16 "$WORK/album.wav" trim 0 41:17
sheet() { # performer album guest title...
  local performer=$1 album=$2 guest=$3
  shift 3
  local starts=(00:00:00 04:12:00 08:47:30 12:30:00 17:05:15 21:40:00 25:02:45 30:18:00 34:55:00 37:41:00)
  printf 'PERFORMER "%s"\nTITLE "%s"\nFILE "album.wav" WAVE\n' "$performer" "$album"
  local n=0
  for title in "$@"; do
    printf '  TRACK %02d AUDIO\n    TITLE "%s"\n' $((n + 1)) "$title"
    if [ $n = 2 ]; then printf '    PERFORMER "%s & %s"\n' "$performer" "$guest"; fi
    if [ $n = 7 ]; then printf '    PERFORMER "Jonas Berg"\n'; fi
    printf '    INDEX 01 %s\n' "${starts[$n]}"
    n=$((n + 1))
  done
}
sheet "Die Wellen" "Sommer am See" "Mara Lind" Morgenlicht "Blauer Hafen" Papierboote Abendzug \
  Leuchtturm "Sand und Salz" "Gewitter über dem Wasser" Nachtschwimmer "Letzter Steg" Heimweg \
  >"$WORK/Sommer am See.cue"
sheet "The Waves" "Summer by the Lake" "Mara Lind" "Morning Light" "Blue Harbour" "Paper Boats" \
  "Evening Train" Lighthouse "Sand and Salt" "Storm over the Water" "Night Swimmer" "Last Pier" \
  "Way Home" >"$WORK/Summer by the Lake.cue"

shoot() { # lang sprache sheet album spine
  local lang=$1 prog="$WORK/prog-$1" home="$WORK/home-$1"
  cp -r "$BUILD/zarvex" "$prog"
  sed -i "s/^sprache=.*/sprache=$2/" "$prog/zarvex.INI"
  mkdir -p "$home"
  HOME="$home" XDG_CONFIG_HOME="$home/.config" xvfb-run -a -s "-screen 0 1100x900x24" \
    bash -c '
      set -e
      cd "$1"; ./zarvex &
      xdotool search --sync --onlyvisible --name "Zarvex" >/dev/null; sleep 1
      xdotool mousemove 256 441 click 1; sleep 1      # side 3, the back inlay
      xdotool mousemove 873 272 click 1; sleep 2      # the directory dialog
      w=""
      for _ in $(seq 30); do                          # "no CD found" first, where it comes
        w=$(xdotool search --onlyvisible --name "^(Verzeichnis|Directory)" | tail -1 || true)
        [ -n "$w" ] && break
        xdotool key Return; sleep 1
      done
      xdotool windowmove "$w" 20 20 windowsize "$w" 1000 760; sleep 1
      xdotool mousemove 854 50 click 1; sleep 1; xdotool key End Return; sleep 2 # "Track list..."
      xdotool key ctrl+a; xdotool type --delay 5 "$2"; xdotool key Return; sleep 3
      xdotool mousemove 805 624 click 1; sleep 1.5    # comment columns 3:1
      import -window root -crop 1000x760+20+20 +repage "$5"
      xdotool mousemove 711 736 click 1; sleep 1.5    # OK
      xdotool mousemove 803 495 click 1; xdotool type --delay 5 "$4"; xdotool key Tab
      xdotool mousemove 803 563 click 1; xdotool type --delay 5 "$3"; xdotool key Tab; sleep 1
      xdotool key ctrl+s; sleep 2; xdotool type --delay 5 "$6"; xdotool key Return; sleep 2
      kill %1' _ "$prog" "$WORK/$3" "$4" "$5" "$OUT/tracklist-dialog-$lang.png" "$WORK/$lang.zvx"
  "$prog/zarvex-cli" --progdir "$prog" --lang "$lang" sheets "$WORK/$lang.zvx" --back \
    -o "$WORK/$lang.pdf"
  pdftoppm -r 110 -png -singlefile "$WORK/$lang.pdf" "$WORK/$lang-page"
  convert "$WORK/$lang-page.png" -crop 672x530+32+32 +repage "$OUT/tracklist-back-$lang.png"
}
shoot de 49 "Sommer am See.cue" "Sommer am See" "Die Wellen – Sommer am See"
shoot en 44 "Summer by the Lake.cue" "Summer by the Lake" "The Waves – Summer by the Lake"
