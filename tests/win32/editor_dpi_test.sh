#!/bin/bash
# A change of scale while the Win32 editor runs (WM_DPICHANGED, as Windows sends it when the
# window moves to a monitor of another scale), under Wine on a display of its own with
# openbox (on_display.sh runs this script): told 96 -> 144 dpi and back, the main window
# takes the suggested frame's corner, and its client area, every control's place and every
# pixel are those of a start at that dpi (Wine's LogPixels) after the same painting; so are
# About's.
#   editor_dpi_test.sh WINE QUARVELEDIT.EXE WINDOW_PROBE.EXE
set -euo pipefail
WINE=$1 APP=$2 PROBE=$3
RUN=dpi
source "$(dirname "$0")/e2e_run.sh"
# The lines of the top-level window of class $1 (TForm1 when none).
window_lines() { probe windows | awk -F'|' -v c="window ${1:-TForm1}" '/^window /{show = ($1 == c)} show'; }
main_window() { window_lines TForm1; }
start() {
  set_dpi "$1"
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
# The client area, controls and pixels of the window $WINDOW (class|title), as
# "$TMP/$1.txt" and "$TMP/$1.ppm".
WINDOW="TForm1|Quarvel Levels Editor"
capture() {
  window_lines "${WINDOW%%|*}" | sed 's/^window \([^|]*|[^|]*\)|frame [-0-9 ]*|client [-0-9]* [-0-9]* /\1|client /' \
    >"$TMP/$1.txt"
  probe pixels "${WINDOW#*|}" "$(winname "$TMP/$1.ppm")"
}
# About, opened from the Help menu, then the window captured.
open_about() {
  xdotool mousemove $((CX + $(s 60))) $((CY - 8)) click 1
  sleep 0.3
  xdotool key Down Return
  for _ in $(seq 100); do
    [ -n "$(window_lines TForm3)" ] && return 0
    sleep 0.1
  done
  fail "About did not open at $DPI dpi"
}
# Once the window manager has followed the new frame, the capture $2 is the capture $1, of
# a start at $3 dpi.
expect_same() {
  for _ in $(seq 100); do
    capture "$2"
    cmp -s "$TMP/$1.txt" "$TMP/$2.txt" && cmp -s "$TMP/$1.ppm" "$TMP/$2.ppm" && return 0
    sleep 0.1
  done
  diff "$TMP/$1.txt" "$TMP/$2.txt" >&2 || fail "after the change to $3 dpi the controls are not where a start puts them"
  convert "$TMP/$1.ppm" "$TMP/$1.png" 2>/dev/null || true
  convert "$TMP/$2.ppm" "$TMP/$2.png" 2>/dev/null || true
  fail "after the change to $3 dpi the pixels are not a start's: see $TMP/$1.png and $2.png"
}
# A start's capture, once it holds still.
capture_start() {
  local last=""
  for _ in $(seq 50); do
    capture "$1"
    local now
    now=$(cat "$TMP/$1.txt" "$TMP/$1.ppm" | md5sum)
    [ "$now" = "$last" ] && return 0
    last=$now
    sleep 0.2
  done
}

start 144
capture_start start-144
open_about
WINDOW="TForm3|About" capture_start about-144
xdotool key Return
stop
start 96
capture_start start-96
read -r _ left top _ _ < <(main_window | grep -o 'frame [-0-9 ]*')
probe dpi "Quarvel Levels Editor" 96 144 || fail "WM_DPICHANGED could not be sent"
expect_same start-144 changed-144 144
read -r _ l t _ _ < <(main_window | grep -o 'frame [-0-9 ]*')
[ "$l,$t" = "$left,$top" ] || fail "the suggested frame's corner $left,$top was not taken: $l,$t"
probe dpi "Quarvel Levels Editor" 144 96 || fail "WM_DPICHANGED could not be sent"
expect_same start-96 changed-96 96
# About, the same way: its frame, its text and its button.
open_about
WINDOW="TForm3|About" capture_start about-96
probe dpi About 96 144 || fail "WM_DPICHANGED could not be sent to About"
WINDOW="TForm3|About" expect_same about-144 about-changed-144 144
probe dpi About 144 96 || fail "WM_DPICHANGED could not be sent to About"
WINDOW="TForm3|About" expect_same about-96 about-changed-96 96
xdotool key Return
stop
OK=1
echo "PASS"
