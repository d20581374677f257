# Helpers for the end-to-end scripts: each script sources this file, calls
# e2e_init with the path of the QuarvelEdit executable, and then drives the
# real program on a private Xvfb display with xdotool.
# Set E2E_KEEP=1 to keep the work dir (screenshots, saved files) after a pass.
#
# Window positions: the main window's client area is 256 x 477 below the menu
# bar; CX, CY hold its top-left corner on the screen once start_app returns.

set -euo pipefail

E2E_NAME=$(basename "$0" .sh)
APP_PID=""
XVFB_PID=""
E2E_OK=0

e2e_init() {
  APP=${1:?usage: $0 path/to/QuarvelEdit}
  [ -x "$APP" ] || { echo "FAIL: $APP is not an executable" >&2; exit 1; }
  for tool in Xvfb xdotool import convert; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed (scripts/install-deps)" >&2; exit 1; }
  done
  TMP=$(mktemp -d "/tmp/quarvel-${E2E_NAME}.XXXXXX")
  trap e2e_cleanup EXIT
  T0=$(date +%s%3N)

  # Xvfb picks a free display itself and writes its number to the fd.
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$TMP/display" >"$TMP/xvfb.log" 2>&1 &
  XVFB_PID=$!
  local i
  for i in $(seq 100); do
    [ -s "$TMP/display" ] && break
    kill -0 "$XVFB_PID" 2>/dev/null || { cat "$TMP/xvfb.log" >&2; echo "FAIL: Xvfb did not start" >&2; exit 1; }
    sleep 0.05
  done
  [ -s "$TMP/display" ] || { echo "FAIL: Xvfb gave no display number" >&2; exit 1; }
  export DISPLAY=":$(head -n1 "$TMP/display")"
  export XDG_RUNTIME_DIR="$TMP/runtime"
  mkdir -m 700 "$XDG_RUNTIME_DIR"
  # Plain Qt defaults, whatever the calling shell has set.
  unset QT_QPA_PLATFORM QT_STYLE_OVERRIDE QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS
  log "display $DISPLAY, work dir $TMP"
}

log() {
  local ms=$(( $(date +%s%3N) - T0 ))
  printf '[%s %d.%03ds] %s\n' "$E2E_NAME" $((ms / 1000)) $((ms % 1000)) "$*"
}

e2e_cleanup() {
  local rc=$?
  if [ -n "$APP_PID" ] && kill -0 "$APP_PID" 2>/dev/null; then kill "$APP_PID" 2>/dev/null || true; fi
  if [ -n "$XVFB_PID" ] && kill -0 "$XVFB_PID" 2>/dev/null; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
  fi
  if [ "$E2E_OK" = 1 ] && [ $rc -eq 0 ] && [ -z "${E2E_KEEP:-}" ]; then
    rm -rf "$TMP"
  elif [ "$E2E_OK" = 1 ] && [ $rc -eq 0 ]; then
    echo "[$E2E_NAME] files kept in $TMP"
  else
    echo "[$E2E_NAME] failed; files kept in $TMP" >&2
    [ -s "$TMP/app.log" ] && { echo "--- program output:" >&2; cat "$TMP/app.log" >&2; }
  fi
}

# Marks the run as passed; the cleanup then removes the work dir.
pass() { log "PASS"; E2E_OK=1; }

screenshot() { import -window root "$1" 2>/dev/null || true; }

fail() {
  local shot="$TMP/failure.png"
  screenshot "$shot"
  echo "FAIL [$E2E_NAME]: $*" >&2
  echo "      screenshot: $shot" >&2
  echo "      visible windows:" >&2
  local w
  for w in $(xdotool search --onlyvisible --name '' 2>/dev/null); do
    echo "        $w '$(xdotool getwindowname "$w" 2>/dev/null)'" >&2
  done
  exit 1
}

# Prints the id of the visible window whose title is exactly $1, waiting up to $2 seconds.
wait_window() {
  local title=$1 secs=${2:-10} w
  w=$(timeout "$secs" xdotool search --sync --onlyvisible --name "^${title}\$" 2>/dev/null | head -n1) || true
  [ -n "$w" ] || fail "no window titled '$title' appeared within ${secs}s"
  echo "$w"
}

# Waits until no visible window is titled $1.
wait_no_window() {
  local title=$1 secs=${2:-10} i
  for i in $(seq $((secs * 20))); do
    xdotool search --onlyvisible --name "^${title}\$" >/dev/null 2>&1 || return 0
    sleep 0.05
  done
  fail "window '$title' still open after ${secs}s"
}

start_app() {
  "$APP" >"$TMP/app.log" 2>&1 &
  APP_PID=$!
  MAIN=$(wait_window "Quarvel Levels Editor" 15)
  local geo x y h
  geo=$(xdotool getwindowgeometry --shell "$MAIN")
  x=$(echo "$geo" | sed -n 's/^X=//p'); y=$(echo "$geo" | sed -n 's/^Y=//p')
  WIN_W=$(echo "$geo" | sed -n 's/^WIDTH=//p'); h=$(echo "$geo" | sed -n 's/^HEIGHT=//p')
  [ "$x,$y" = "204,129" ] || fail "main window at $x,$y, expected 204,129"
  [ "$WIN_W" = 256 ] || fail "main window is $WIN_W wide, expected 256"
  MENU_H=$((h - 477))
  [ "$MENU_H" -gt 5 ] && [ "$MENU_H" -lt 60 ] || fail "odd main window height $h"
  CX=$x; CY=$((y + MENU_H)); WX=$x; WY=$y
  focus_main
  log "main window $MAIN up, menu bar $MENU_H px"
}

focus_main() { xdotool windowfocus --sync "$MAIN"; }

# Clicks at client coordinates of the main window.
click_client() { xdotool mousemove --sync $((CX + $1)) $((CY + $2)) click 1; }

# Screen centre of grid cell (c, r).
cell_x() { echo $((CX + 8 + 2 + 21 * $1 + 10)); }
cell_y() { echo $((CY + 8 + 2 + 21 * $1 + 10)); }
click_cell() { xdotool mousemove --sync "$(cell_x "$1")" "$(cell_y "$2")" click 1; }

# Palette button of tile $1 (0..9).
palette() {
  local t=$1 col row
  if [ "$t" -le 4 ]; then col=$t; row=0; else col=$((t - 5)); row=1; fi
  click_client $((8 + 32 * col + 16)) $((296 + 32 * row + 16))
}

# Replaces the text of the field at client position ($1, $2) with $3.
set_field() {
  click_client $(($1 + 20)) $(($2 + 11))
  xdotool key ctrl+a
  xdotool type --delay 20 "$3"
}
FIELD_RUBIES="8 392"; FIELD_EMERALDS="80 392"; FIELD_SAPPHIRES="152 392"
FIELD_BOMBS="176 312"; FIELD_TIME="176 352"; FIELD_LEVEL="176 448"

# Opens the "Levels" menu and clicks the item $1 (New Set, Open Set, Save Set, Copy, Exit).
levels_menu() {
  local item=$1 dy popup
  case "$item" in
    "New Set") dy=12 ;; "Open Set") dy=34 ;; "Save Set") dy=55 ;; "Copy") dy=79 ;; "Exit") dy=102 ;;
    *) fail "no menu item '$item'" ;;
  esac
  xdotool mousemove --sync $((WX + 25)) $((WY + MENU_H / 2)) click 1
  # The drop-down is a window of its own just below the menu bar.
  popup=""
  local i w
  for i in $(seq 100); do
    for w in $(xdotool search --onlyvisible --name '' 2>/dev/null); do
      [ "$w" = "$MAIN" ] && continue
      if [ "$(xdotool getwindowgeometry --shell "$w" | sed -n 's/^Y=//p')" = "$CY" ]; then popup=$w; break 2; fi
    done
    sleep 0.05
  done
  [ -n "$popup" ] || fail "the Levels menu did not drop down"
  local px
  px=$(xdotool getwindowgeometry --shell "$popup" | sed -n 's/^X=//p')
  xdotool mousemove --sync $((px + 40)) $((CY + dy))
  sleep 0.1
  xdotool click 1
}

# Prints a visible window of the program other than the main window and $1
# (a popup: a menu or a list of completions), or nothing.
other_window() {
  local w
  for w in $(xdotool search --onlyvisible --name '' 2>/dev/null); do
    [ "$w" = "$MAIN" ] || [ "$w" = "$1" ] && continue
    [ "$(xdotool getwindowgeometry --shell "$w" | sed -n 's/^WIDTH=//p')" = 1024 ] && continue
    echo "$w"; return 0
  done
  return 0
}

# Types a full file name into the file dialog titled $1 and confirms it.
file_dialog() {
  local w
  w=$(wait_window "$1")
  xdotool windowfocus --sync "$w"
  sleep 0.2
  xdotool key ctrl+a
  xdotool type --delay 10 "$2"
  # When the name exists, the dialog drops down its list of completions, a
  # popup window of its own. Confirming while that list is open leaves the
  # program swallowing the next mouse click, so close the list first, as a
  # user would, with Escape.
  local i popup=""
  for i in $(seq 12); do
    popup=$(other_window "$w")
    [ -n "$popup" ] && break
    sleep 0.05
  done
  if [ -n "$popup" ]; then
    xdotool key Escape
    for i in $(seq 40); do [ -z "$(other_window "$w")" ] && break; sleep 0.05; done
  fi
  xdotool key Return
  wait_no_window "$1"
}

# Open Set with the file $1.
open_set() {
  levels_menu "Open Set"
  file_dialog "Open" "$1"
  focus_main
}

# Save Set to the name $1: the warning first, then the save dialog.
save_set() {
  levels_menu "Save Set"
  local w
  w=$(wait_window "Warning!")
  xdotool windowfocus --sync "$w" key Return
  wait_no_window "Warning!"
  file_dialog "Save As" "$1"
  focus_main
}

# Closes the main window as the desktop's close command does (WM_DELETE_WINDOW),
# with a small helper built from wm_close.cpp on first use.
close_main() {
  local helper="$TMP/wm_close"
  if [ ! -x "$helper" ]; then
    "${CXX:-g++}" -O0 -o "$helper" "$(dirname "${BASH_SOURCE[0]}")/wm_close.cpp" -lX11 2>"$TMP/wm_close.log" ||
      { cat "$TMP/wm_close.log" >&2; fail "could not build the wm_close helper (needs g++ and libx11-dev)"; }
  fi
  "$helper" "$MAIN" || fail "could not send the close request to the main window"
}

# Waits up to $1 seconds for the program to end and checks that its exit status is 0.
expect_exit_0() {
  local secs=${1:-10} i rc
  for i in $(seq $((secs * 20))); do
    kill -0 "$APP_PID" 2>/dev/null || break
    sleep 0.05
  done
  kill -0 "$APP_PID" 2>/dev/null && fail "the program is still running ${secs}s after closing"
  rc=0; wait "$APP_PID" || rc=$?
  APP_PID=""
  [ "$rc" -eq 0 ] || fail "the program ended with status $rc"
}

# ---- level set bytes ----------------------------------------------------------------
# A level is written as hex: le16 of Time, Bombs, Rubies, Emeralds, Sapphires, then the
# 143 cells column by column. Cells are given as "c,r=code" words.

le16() { local v=$(($1 & 0xFFFF)); printf '%02x%02x' $((v & 0xFF)) $((v >> 8)); }

level_hex() {
  local time=$1 bombs=$2 rubies=$3 emeralds=$4 sapphires=$5 spec=${6:-}
  local -a cells
  local i w c r v
  for i in $(seq 0 142); do cells[i]=0; done
  for w in $spec; do
    c=${w%%,*}; r=${w#*,}; r=${r%%=*}; v=${w#*=}
    cells[$((13 * c + r))]=$v
  done
  local out
  out="$(le16 "$time")$(le16 "$bombs")$(le16 "$rubies")$(le16 "$emeralds")$(le16 "$sapphires")"
  for i in $(seq 0 142); do out+=$(le16 "${cells[i]}"); done
  echo "$out"
}

HEADER_HEX=44414700

# Writes the hex string $2 to the file $1 as bytes.
hex_to_file() {
  local hex=$2 esc="" i
  for ((i = 0; i < ${#hex}; i += 2)); do esc+="\\x${hex:i:2}"; done
  printf '%b' "$esc" >"$1"
}

file_hex() { od -An -v -tx1 "$1" | tr -d ' \n'; }

# Fails unless the file $1 holds exactly the bytes of the hex string $2.
expect_file_hex() {
  local file=$1 want=$2 got
  [ -f "$file" ] || fail "file $file was not written"
  got=$(file_hex "$file")
  if [ "$got" != "$want" ]; then
    echo "expected ${#want} hex digits, got ${#got}" >&2
    diff <(echo "$want" | fold -w 32) <(echo "$got" | fold -w 32) | head -20 >&2 || true
    fail "bytes of $file differ from what was expected"
  fi
}

# ---- pixels --------------------------------------------------------------------------
# Prints the colour of the screen pixel ($2, $3) of the screenshot $1 as RRGGBB.
pixel() { convert "$1" -crop "1x1+$2+$3" -depth 8 txt:- | sed -n 's/.*#\([0-9A-Fa-f]\{6\}\).*/\1/p' | tr a-f A-F; }
