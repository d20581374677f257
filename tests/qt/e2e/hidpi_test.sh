#!/usr/bin/env bash
# The grid and the palette at 100 %, 200 % and 150 % (QT_SCALE_FACTOR on a private Xvfb
# big enough for the window at 200 %), with the same tiles painted by the mouse: at 200 %
# both are the 100 % screenshot doubled pixel for pixel; at 150 % every grid line is one
# width, every cell another, and no picture is smoothed (each colour also shows at 100 %,
# or its inverse does, under the focus mark).
# Usage: hidpi_test.sh path/to/QuarvelEdit. E2E_KEEP=1 keeps the screenshots.
set -euo pipefail
APP=${1:?usage: $0 path/to/QuarvelEdit}
for tool in Xvfb xdotool import convert compare; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed (scripts/install-deps)" >&2; exit 1; }
done
TMP=$(mktemp -d /tmp/quarvel-hidpi_test.XXXXXX)
XVFB_PID="" APP_PID="" OK=0
cleanup() {
  [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
  if [ "$OK" = 1 ] && [ -z "${E2E_KEEP:-}" ]; then rm -rf "$TMP"; else echo "[hidpi_test] files in $TMP" >&2; fi
}
trap cleanup EXIT
fail() { echo "FAIL [hidpi_test]: $*" >&2; exit 1; }

source "$(dirname "$0")/../../support/xvfb.sh"
start_xvfb 1400x1400 "$TMP"
export XDG_RUNTIME_DIR="$TMP/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM QT_STYLE_OVERRIDE QT_SCREEN_SCALE_FACTORS WAYLAND_DISPLAY

# f EXPR: the expression rounded down to a whole number.
f() { awk "BEGIN { v = $1; printf \"%d\", (v < 0 ? v - 0.999999 : v) }"; }

# shot SCALE NAME: paints a few tiles at SCALE, screenshots the screen as NAME.png and sets
# CX, CY, the client area's corner on the screen in device pixels (fractions kept), and
# WIN, the window's "x y width height" as the X server has it.
shot() {
  local s=$1 name=$2 w geo x y h
  QT_SCALE_FACTOR=$s "$APP" >"$TMP/app-$name.log" 2>&1 &
  APP_PID=$!
  w=$(timeout 15 xdotool search --sync --onlyvisible --name '^Quarvel Levels Editor$' | head -n1) || true
  [ -n "$w" ] || fail "no main window at scale $s"
  geo=$(xdotool getwindowgeometry --shell "$w")
  x=$(echo "$geo" | sed -n 's/^X=//p'); y=$(echo "$geo" | sed -n 's/^Y=//p'); h=$(echo "$geo" | sed -n 's/^HEIGHT=//p')
  WIN="$x $y $(echo "$geo" | sed -n 's/^WIDTH=//p') $h"
  CX=$x; CY=$(awk "BEGIN { print $y + $h - 477 * $s }")
  click() { xdotool mousemove --sync "$(f "$CX + $1 * $s")" "$(f "$CY + $2 * $s")" click 1; sleep 0.05; }
  cell() { click $((8 + 2 + 21 * $1 + 10)) $((8 + 2 + 21 * $2 + 10)); }
  click 56 312; cell 3 4        # red block
  click 56 344; cell 5 6        # cannon up
  click 120 312; cell 10 12     # blue block
  click 152 344; cell 2 8       # cannon left, the current cell
  sleep 0.3
  import -window root "$TMP/$name.png"
  kill "$APP_PID"; wait "$APP_PID" 2>/dev/null || true; APP_PID=""
}

# crop NAME SCALE X Y W H OUT: the client area's logical rectangle, in device pixels.
crop() {
  local s=$2 cx="CX_$1" cy="CY_$1"
  convert "$TMP/$1.png" -crop "$(f "$5 * $s")x$(f "$6 * $s")+$(f "${!cx} + $3 * $s + 0.999")+$(f "${!cy} + $4 * $s + 0.999")" \
          +repage "$TMP/$7.png"
}

shot 1 s100; CX_s100=$CX; CY_s100=$CY; WIN_s100=$WIN
shot 2 s200; CX_s200=$CX; CY_s200=$CY; WIN_s200=$WIN
shot 1.5 s150; CX_s150=$CX; CY_s150=$CY; WIN_s150=$WIN

# The whole window as the X server shows it, at each scale: under the menu bar a line in the
# dark colour runs the full width, as thick as a grid line (one logical pixel rounded down
# to whole device pixels), with nothing of that colour above or below it in the bar's last
# rows; below it the client area is 477 logical pixels high, and its last 4 lie under
# Check Level (8, 448, 113 x 25) in the button face colour.
colours() { convert "$TMP/$1.png" -crop "$2" +repage -depth 8 txt:- | tail -n +2 | sed 's/.*#\([0-9A-Fa-f]\{6\}\).*/\1/'; }
dark=6A6864 face=D4D0C8
for name in s100 s150 s200; do
  case $name in s100) s=1 ;; s150) s=1.5 ;; s200) s=2 ;; esac
  win="WIN_$name"; read -r x y w h <<<"${!win}"
  # The rows of the line: the dark rows of the window's right-hand column, in the top 40 px.
  rows=$(colours "$name" "1x$(f "40 * $s")+$((x + w - 1))+$y" | grep -n "^$dark\$" | cut -d: -f1 | tr '\n' ' ')
  first=$(echo $rows | awk '{ print $1 }'); count=$(echo $rows | wc -w)
  [ -n "$first" ] || fail "at $s: no line under the menu bar at the window's right edge"
  [ "$count" = "$(f "$s")" ] || fail "at $s: the line under the menu bar is $count px thick (rows $rows), expected $(f "$s")"
  for r in $rows; do
    other=$(colours "$name" "${w}x1+$x+$((y + r - 1))" | grep -vc "^$dark\$" || true)
    [ "$other" = 0 ] || fail "at $s: $other px of the line's row $r are not the line's colour (under the menu titles?)"
  done
  menu=$((first - 1 + count))  # the menu bar's height in device pixels, its line included
  client=$((h - menu))
  expected=$(awk "BEGIN { printf \"%d\", 477 * $s + 0.5 }")
  [ $((client - expected)) -ge -1 ] && [ $((client - expected)) -le 1 ] ||
    fail "at $s: the client area is $client px high under a $menu px menu bar, expected $expected"
  below=$(colours "$name" "1x$((h / 2))+$((x + $(f "60 * $s")))+$((y + h - h / 2))" | tac | awk -v f="$face" '$1 != f { exit } { n++ } END { print n + 0 }')
  want=$(f "4 * $s")
  [ "$below" -ge "$want" ] && [ "$below" -le $((want + 1)) ] ||
    fail "at $s: $below px of button face below Check Level, expected $want"
  echo "[hidpi_test] at $s: window ${w}x$h, menu bar $menu px with a $count px line, client $client px, $below px under Check Level"
done

# 200 %: the grid (241 x 281 at 8,8) and the palette (161 x 65 at 8,296), doubled.
for part in "grid 8 8 241 281" "palette 8 296 161 65"; do
  set -- $part
  crop s100 1 "$2" "$3" "$4" "$5" "$1-100"
  crop s200 2 "$2" "$3" "$4" "$5" "$1-200"
  convert "$TMP/$1-100.png" -sample 200% "$TMP/$1-100x2.png"
  diff=$(compare -metric AE "$TMP/$1-100x2.png" "$TMP/$1-200.png" "$TMP/$1-diff.png" 2>&1 || true)
  [ "$diff" = 0 ] || fail "the $1 at 200 % differs from the 100 % one doubled in $diff pixels ($TMP/$1-diff.png)"
done

# 150 %: runs of colour along row 11 and down column 9, neither of which holds a tile.
runs() { convert "$TMP/s150.png" -crop "$1" +repage -depth 8 txt:- | tail -n +2 |
         sed 's/.*#\([0-9A-Fa-f]\{6\}\).*/\1/' | uniq -c | awk '{ print $1, $2 }'; }
gx=$(f "$CX_s150 + 8 * 1.5 + 0.999"); gy=$(f "$CY_s150 + 8 * 1.5 + 0.999")
row=$(runs "362x1+$gx+$(f "$gy + (2 + 21 * 11 + 10) * 1.5")")
col=$(runs "1x422+$(f "$gx + (2 + 21 * 9 + 10) * 1.5")+$gy")
for line in "$row" "$col"; do
  lines=$(echo "$line" | awk '$2 == "C0C0C0" { print $1 }' | sort -u)
  cells=$(echo "$line" | awk '$2 == "FFFFFF" { print $1 }' | sort -n | uniq -c | sort -rn | head -n1)
  [ "$(echo "$lines" | wc -l)" = 1 ] || fail "grid lines of different widths at 150 %: $(echo $lines)"
  # 11 or 13 white runs of one width: the cells (the strip after them may be another width).
  [ "$(echo "$cells" | awk '{ print $1 }')" -ge 11 ] || fail "cells of different widths at 150 %: $(echo "$line" | tr '\n' ' ')"
done
crop s150 1.5 8 8 241 281 grid-150
crop s150 1.5 8 296 161 65 palette-150
for part in grid palette; do
  convert "$TMP/$part-100.png" -depth 8 txt:- | tail -n +2 | sed 's/.*#\([0-9A-Fa-f]\{6\}\).*/\1/' | sort -u >"$TMP/$part-100.colours"
  convert "$TMP/$part-150.png" -depth 8 txt:- | tail -n +2 | sed 's/.*#\([0-9A-Fa-f]\{6\}\).*/\1/' | sort -u >"$TMP/$part-150.colours"
  while read -r c; do
    inverse=$(printf '%06X' $((0xFFFFFF ^ 0x$c)))
    grep -qx "$c" "$TMP/$part-100.colours" || grep -qx "$inverse" "$TMP/$part-100.colours" ||
      fail "the $part at 150 % has colour $c, which the 100 % one has not: smoothed"
  done <"$TMP/$part-150.colours"
done
OK=1
echo "[hidpi_test] 200 % = 100 % doubled; 150 %: lines $(echo $lines) px, cells $(echo "$cells" | awk '{ print $2 }') px: PASS"
