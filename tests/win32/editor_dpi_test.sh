#!/bin/bash
# A change of scale while the Win32 editor runs (WM_DPICHANGED, as Windows sends it when the
# window moves to a monitor of another scale), under Wine on a display of its own with
# openbox (on_display.sh runs this script): told 96 -> 144 dpi and back, the main window
# takes the suggested frame's corner, and its client area, every control's place and every
# pixel are those of a start at that dpi (Wine's LogPixels) after the same painting.
#   editor_dpi_test.sh WINE QUARVELEDIT.EXE WINDOW_PROBE.EXE
set -euo pipefail
WINE=$1 APP=$2 PROBE=$3
TMP=$(mktemp -d /tmp/quarvel-win32-dpi.XXXXXX)
APP_PID=""
OK=0
DESKTOP='HKCU\Control Panel\Desktop'
reg_value() { { "$WINE" reg query "$1" /v "$2" 2>/dev/null || true; } | tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"; }
saved_dpi=$(reg_value "$DESKTOP" LogPixels)
cleanup() {
  [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null
  if [ -n "$saved_dpi" ]; then
    "$WINE" reg add "$DESKTOP" /v LogPixels /t REG_DWORD /d "$((saved_dpi))" /f >/dev/null 2>&1
  else
    "$WINE" reg delete "$DESKTOP" /v LogPixels /f >/dev/null 2>&1
  fi
  if [ "$OK" = 1 ]; then rm -rf "$TMP"; else echo "files kept in $TMP" >&2; fi
}
trap cleanup EXIT
fail() {
  import -window root "$TMP/failure.png" 2>/dev/null || true
  echo "FAIL: $*" >&2
  exit 1
}
probe() { "$WINE" "$PROBE" "$@" 2>/dev/null | tr -d '\r'; }
source "$(dirname "$0")/painting.sh"
winname() { echo "Z:${1//\//\\}"; }
main_window() { probe windows | awk -F'|' '/^window /{show = ($1 == "window TForm1")} show'; }
start() {
  "$WINE" reg add "$DESKTOP" /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
  "$WINE" "$APP" >"$TMP/app-$1.log" 2>&1 &
  APP_PID=$!
  local main=""
  for _ in $(seq 100); do
    main=$(main_window)
    [ -n "$main" ] && break
    sleep 0.1
  done
  [ -n "$main" ] || fail "no main window at $1 dpi"
  read -r _ CX CY _ _ < <(grep -o 'client [-0-9 ]*' <<<"$main")
  DPI=$1
  # Painting by clicks and keys alone: the red block into three cells of row 5, the upward
  # cannon into the corner and carried two cells right (a drag's cells depend on the pace).
  local x y c
  palette 40 296
  for c in 2 4 6; do
    read -r x y < <(cell $c 5)
    click "$x" "$y"
  done
  palette 40 328
  read -r x y < <(cell 0 0)
  click "$x" "$y"
  xdotool key Right Right
}
stop() {
  probe close "Quarvel Levels Editor"
  wait "$APP_PID" || fail "exit status $?"
  APP_PID=""
}
# The main window's client area, controls and pixels, as "$TMP/$1.txt" and "$TMP/$1.ppm",
# once they hold still.
capture() {
  local last=""
  for _ in $(seq 50); do
    main_window | sed 's/^window \([^|]*|[^|]*\)|frame [-0-9 ]*|client [-0-9]* [-0-9]* /\1|client /' >"$TMP/$1.txt"
    probe pixels "Quarvel Levels Editor" "$(winname "$TMP/$1.ppm")"
    local now
    now=$(md5sum <"$TMP/$1.txt")$(md5sum <"$TMP/$1.ppm")
    [ "$now" = "$last" ] && return 0
    last=$now
    sleep 0.2
  done
}
expect_same() {
  diff "$TMP/$1.txt" "$TMP/$2.txt" >&2 || fail "after the change to $3 dpi the controls are not where a start puts them"
  cmp -s "$TMP/$1.ppm" "$TMP/$2.ppm" || {
    convert "$TMP/$1.ppm" "$TMP/$1.png" 2>/dev/null || true
    convert "$TMP/$2.ppm" "$TMP/$2.png" 2>/dev/null || true
    fail "after the change to $3 dpi the pixels are not a start's: see $TMP/$1.png and $2.png"
  }
}

start 144
capture start-144
stop
start 96
capture start-96
read -r _ left top _ _ < <(main_window | grep -o 'frame [-0-9 ]*')
probe dpi "Quarvel Levels Editor" 96 144 || fail "WM_DPICHANGED could not be sent"
capture changed-144
expect_same start-144 changed-144 144
read -r _ l t _ _ < <(main_window | grep -o 'frame [-0-9 ]*')
[ "$l,$t" = "$left,$top" ] || fail "the suggested frame's corner $left,$top was not taken: $l,$t"
probe dpi "Quarvel Levels Editor" 144 96 || fail "WM_DPICHANGED could not be sent"
capture changed-96
expect_same start-96 changed-96 96
stop
OK=1
echo "PASS"
