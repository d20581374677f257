# The X server and the program: a private Xvfb display, the program started on it and
# waited for, windows waited for by title, the log, and how a run passes or fails.

source "$(dirname "${BASH_SOURCE[0]}")/../../../support/xvfb.sh"

E2E_NAME=$(basename "$0" .sh)
APP_PID=""
XVFB_PID=""
E2E_OK=0

# e2e_init QUARVELEDIT DAG_FIXTURE WM_CLOSE: the program, and the two helper tools built
# with the tests (tests/support/dag_fixture.cpp, tests/qt/e2e/wm_close.cpp).
e2e_init() {
  APP=${1:-}
  DAG_FIXTURE=${2:-}
  WM_CLOSE=${3:-}
  if [ -z "$APP" ] || [ -z "$DAG_FIXTURE" ] || [ -z "$WM_CLOSE" ]; then
    echo "usage: $0 path/to/QuarvelEdit path/to/dag_fixture path/to/wm_close" >&2
    exit 2
  fi
  local tool
  for tool in "$APP" "$DAG_FIXTURE" "$WM_CLOSE"; do
    [ -x "$tool" ] || { echo "FAIL: $tool is not an executable" >&2; exit 1; }
  done
  for tool in Xvfb xdotool import convert; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed (scripts/install-deps)" >&2; exit 1; }
  done
  TMP=$(mktemp -d "/tmp/quarvel-${E2E_NAME}.XXXXXX")
  trap e2e_cleanup EXIT
  T0=$(date +%s%3N)

  start_xvfb 1024x768 "$TMP"
  export XDG_RUNTIME_DIR="$TMP/runtime"
  mkdir -m 700 "$XDG_RUNTIME_DIR"
  # Plain Qt defaults, whatever the calling shell has set.
  unset QT_QPA_PLATFORM QT_STYLE_OVERRIDE QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS
  log "display $DISPLAY, work dir $TMP"
}

# Replaces the X server with a new one whose screen is $1 (as 1280x1024); the program and
# any window manager must have ended.
new_display() {
  kill "$XVFB_PID" 2>/dev/null || true
  wait "$XVFB_PID" 2>/dev/null || true
  XVFB_PID=""
  start_xvfb "$1" "$TMP"
  log "display $DISPLAY, screen $1"
}

log() {
  local ms=$(( $(date +%s%3N) - T0 ))
  printf '[%s %d.%03ds] %s\n' "$E2E_NAME" $((ms / 1000)) $((ms % 1000)) "$*"
}

e2e_cleanup() {
  local rc=$?
  if [ -n "$APP_PID" ] && kill -0 "$APP_PID" 2>/dev/null; then kill "$APP_PID" 2>/dev/null || true; fi
  if [ -n "${WM_PID:-}" ]; then kill "$WM_PID" 2>/dev/null || true; fi  # helpers/window_manager.sh
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
  local title=$1 secs=${2:-10} w="" i
  # Asked again and again rather than with --sync: xdotool gives up at an X error, as when
  # another window goes away while it searches (a file dialog closing, say).
  for i in $(seq $((secs * 20))); do
    w=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -n1) || true
    [ -n "$w" ] && break
    sleep 0.05
  done
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

# Prints "x y" of the window $1's top-left corner on the screen.
window_corner() {
  local geo
  geo=$(xdotool getwindowgeometry --shell "$1")
  echo "$(echo "$geo" | sed -n 's/^X=//p') $(echo "$geo" | sed -n 's/^Y=//p')"
}

# Starts the program and waits for its main window. Sets MAIN (its id), WX, WY (its
# corner), MENU_H (the menu bar's height) and CX, CY (the corner of its client area).
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
