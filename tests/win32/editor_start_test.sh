#!/bin/bash
# How the Win32 editor starts and what the desktop lists it by, under Wine on a display of
# its own with openbox (on_display.sh runs this script):
# - taskbars show the program title: of openbox's clients, the one that taskbars list is
#   "Quarveledit" (the main window asks to be left out), and it shows no pixel; in Wine's
#   desktop with its shell, whose taskbar follows Windows' rules, the one button reads
#   "Quarveledit";
# - minimised from its title bar, the program is its taskbar entry alone, and activating
#   the entry brings the main window back, the grid focused;
# - started minimised (start /min: the show request in the process's start-up data), only
#   the entry is there until it is activated; started maximised (start /max), the main
#   window is maximised.
#   editor_start_test.sh WINE QUARVELEDIT.EXE WINDOW_PROBE.EXE
set -euo pipefail
WINE=$1 APP=$2 PROBE=$3
TMP=$(mktemp -d /tmp/quarvel-win32-start.XXXXXX)
OK=0
DESKTOP_PID=""
STAGE="start"  # what the test does, named in a failure
cleanup() {
  # Whatever of the program still runs: asked to close in Wine's desktop, and on this display
  # (started by start, so not our child) ended.
  if [ -n "$DESKTOP_PID" ]; then
    "$WINE" "$PROBE" --desktop shell close "Quarvel Levels Editor" >/dev/null 2>&1
    kill "$DESKTOP_PID" 2>/dev/null
  fi
  local w
  for w in $(xdotool search --name '^Quarvel' 2>/dev/null); do xdotool getwindowpid "$w" 2>/dev/null; done |
    sort -u | while read -r pid; do kill "$pid" 2>/dev/null; done
  if [ "$OK" = 1 ]; then rm -rf "$TMP"; else echo "files kept in $TMP" >&2; fi
}
trap cleanup EXIT
fail() {
  import -window root "$TMP/failure.png" 2>/dev/null || true
  echo "FAIL: $STAGE: $*" >&2
  "$WINE" "$PROBE" windows 2>/dev/null | grep -v '^  child' >&2 || true
  exit 1
}
probe() { "$WINE" "$PROBE" "$@" 2>/dev/null | tr -d '\r'; }
# Runs "$@" until it succeeds, for as long as a loaded machine may take: the limit is for a
# program that never gets there, not a time to wait. Each step waits for what it checks.
until_true() {
  local end=$((SECONDS + 120))
  until "$@"; do
    [ "$SECONDS" -lt "$end" ] || return 1
    sleep 0.1
  done
}
# Whether the probe's line for the top-level window of class $1 matches the regular
# expression $2 (a window not shown has no line: $2 "none"); the line is kept in $line.
state_is() {
  line=$(probe windows | grep "^window $1|" || true)
  if [ "$2" = none ]; then [ -z "$line" ]; else grep -qE "$2" <<<"$line"; fi
}
wait_state() {
  local line=""
  until_true state_is "$1" "$2" || fail "window $1 is not '$2': ${line:-not shown}"
}
x_window() { xdotool search --name "^$1\$" | head -n1; }
# The names of the window manager's clients that taskbars list: all but those that ask to
# be left out.
taskbar_names() {
  local w
  for w in $(xprop -root _NET_CLIENT_LIST | grep -o '0x[0-9a-f]*'); do
    xprop -id "$w" _NET_WM_STATE | grep -q _NET_WM_STATE_SKIP_TASKBAR && continue
    xprop -id "$w" WM_NAME | sed -n 's/^WM_NAME([^)]*) = "\(.*\)"$/\1/p'
  done
}
taskbars_list_title() { [ "$(taskbar_names)" = Quarveledit ]; }
# The main window is the one Windows has in the foreground, and the grid has the focus in
# it: what a Windows user gets. Not the window manager's active window: under load, Wine
# and openbox were seen to disagree about it (none active on the display while Wine had
# the main window active), which says nothing of the program on Windows.
grid_is_focused() {
  [ "$(probe active)" = "active TForm1|Quarvel Levels Editor" ] &&
    probe focus "Quarvel Levels Editor" | grep -q '^  child TDrawGrid|'
}
grid_focused() {
  until_true grid_is_focused ||
    fail "the main window is not active with the grid focused: $(probe active); focus $(probe focus "Quarvel Levels Editor")"
}
# Closes the main window as the desktop does (its close box, Alt+F4 in a window manager
# that takes it) and waits for the program's windows to go.
close_program() {
  probe close "Quarvel Levels Editor" || fail "no main window to close"
  wait_state TForm1 none
  wait_state TApplication none
}

# A plain start: the main window at its place, normal; the taskbar lists the program title.
STAGE="plain start"
"$WINE" "$APP" >"$TMP/app.log" 2>&1 &
APP_PID=$!
wait_state TForm1 '\|frame 204 129 [0-9]+ [0-9]+\|.*\|normal$'
wait_state TApplication '^window TApplication\|Quarveledit\|.*\|normal$'
until_true taskbars_list_title || fail "taskbars list: $(taskbar_names | tr '\n' ',')"
extents=$(xwininfo -shape -id "$(x_window Quarveledit)" | sed -n 's/^ *Window shape extents: *//p')
[ "$extents" = "0x0+0+0" ] || fail "the taskbar window shows pixels: shape $extents"
grid_focused

# Minimised from its title bar: the main window goes, the entry stays, minimised; then
# activated from the taskbar, the main window is back as it was.
STAGE="minimised from its title bar"
xdotool windowminimize "$(x_window "Quarvel Levels Editor")"
wait_state TForm1 none
wait_state TApplication '\|minimised$'
until_true taskbars_list_title || fail "minimised, taskbars list: $(taskbar_names | tr '\n' ',')"
STAGE="activated from the taskbar"
xdotool windowactivate "$(x_window Quarveledit)"
wait_state TForm1 '\|frame 204 129 [0-9]+ [0-9]+\|.*\|normal$'
grid_focused
close_program
status=0
wait "$APP_PID" || status=$?
[ "$status" = 0 ] || fail "exit status $status"

# Started minimised: only the taskbar entry, until it is activated.
STAGE="started minimised"
"$WINE" start /min /unix "$APP"
wait_state TApplication '\|minimised$'
wait_state TForm1 none
xdotool windowactivate "$(x_window Quarveledit)"
wait_state TForm1 '\|frame 204 129 [0-9]+ [0-9]+\|.*\|normal$'
grid_focused
close_program

# Started maximised.
STAGE="started maximised"
"$WINE" start /max /unix "$APP"
wait_state TForm1 '\|maximised$'
grid_focused
close_program

STAGE="Wine's desktop"
# In Wine's desktop with its shell, the taskbar of Windows' rules: one button, the title.
"$WINE" explorer /desktop=shell,1280x1024 "$APP" >"$TMP/desktop.log" 2>&1 &
DESKTOP_PID=$!
buttons=""
shell_taskbar_shows_title() {
  buttons=$(probe --desktop shell taskbar || true)
  [ "$buttons" = "button Quarveledit" ]
}
until_true shell_taskbar_shows_title || fail "Wine's taskbar shows: $buttons"
probe --desktop shell close "Quarvel Levels Editor"
# The desktop ends with the last program in it.
desktop_ended() { ! kill -0 "$DESKTOP_PID" 2>/dev/null; }
until_true desktop_ended || fail "Wine's desktop did not end with the program"
DESKTOP_PID=""
OK=1
echo "PASS"
