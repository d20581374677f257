#!/usr/bin/env bash
# The program under a real window manager (openbox): what the desktop draws and allows
# for each window. The main window keeps the program icon; the Levels Copy dialog and
# the About box have no icon of their own and cannot be resized or maximised, and Alt+F4
# closes them; an error box that follows a file dialog is centred over the main window
# and wide enough for its caption in the title bar; WM_CLASS carries the program title,
# even an empty one; nothing is left in the home folder after a session that used both
# file dialogs.
#
# The session runs the steps listed in STEPS, in order, on one running program; a new
# check of the same session is a function here and a name added to the list.
source "$(dirname "$0")/lib.sh"
e2e_init "$@"
source "$(dirname "$0")/helpers/window_manager.sh"
start_openbox
log "openbox up"

# ---- reading windows ------------------------------------------------------------------
prop() { xprop -id "$1" "$2" 2>/dev/null; }
# The window's icon data, or nothing when it has none.
icon_of() { prop "$1" _NET_WM_ICON | grep -v 'not found' | md5sum | cut -c1-32; }
NO_ICON=$(printf '' | md5sum | cut -c1-32)

# Fails unless the dialog window $1 (named $2) is fixed in size, cannot be maximised or
# resized by the window manager, and has no icon of its own: none, or the window
# manager's stand-in, never the program's.
expect_fixed_dialog() {
  local w=$1 name=$2 hints actions icon
  hints=$(prop "$w" WM_NORMAL_HINTS)
  local min max
  min=$(echo "$hints" | sed -n 's/.*minimum size: *\([0-9]* by [0-9]*\).*/\1/p')
  max=$(echo "$hints" | sed -n 's/.*maximum size: *\([0-9]* by [0-9]*\).*/\1/p')
  [ -n "$min" ] && [ "$min" = "$max" ] || fail "$name: minimum size '$min', maximum '$max'"
  actions=$(prop "$w" _NET_WM_ALLOWED_ACTIONS)
  grep -q 'MAXIMIZE\|ACTION_RESIZE' <<<"$actions" && fail "$name: the window manager allows $actions"
  icon=$(icon_of "$w")
  [ "$icon" != "$(icon_of "$MAIN")" ] || fail "$name shows the program icon"
  log "$name: fixed at $min, no maximise or resize, icon: $([ "$icon" = "$NO_ICON" ] && echo none || echo "the window manager's")"
}

# ---- the program ------------------------------------------------------------------------
# Opens Help > About.
help_about() {
  xdotool mousemove --sync $((WX + 62)) $((WY + MENU_H / 2)) click 1
  sleep 0.3
  xdotool mousemove --sync $((WX + 80)) $((CY + 11))
  sleep 0.1
  xdotool click 1
}

# ---- the steps --------------------------------------------------------------------------
main_window() {
  [ "$(icon_of "$MAIN")" != "$NO_ICON" ] || fail "the main window has no icon"
  local class
  class=$(prop "$MAIN" WM_CLASS)
  [ "$class" = 'WM_CLASS(STRING) = "QuarvelEdit", "Quarveledit"' ] || fail "main window: $class"
  log "main window: program icon, $class"
}

about_box() {
  help_about
  local box
  box=$(wait_window "About")
  shoot about
  expect_fixed_dialog "$box" "About box"
  xdotool windowactivate --sync "$box"; sleep 0.2; xdotool key alt+F4
  wait_no_window "About"
  kill -0 "$APP_PID" 2>/dev/null || fail "the program ended with the About box"
  focus_main
  log "About box closed with Alt+F4"
}

levels_copy_dialog() {
  write_dag "$TMP/source.dag" "10 0 0 0 0 4,4=2"
  levels_menu "Copy"
  file_dialog "Open" "$TMP/source.dag"
  local dialog
  dialog=$(wait_window "Levels Copy")
  shoot levels_copy
  expect_fixed_dialog "$dialog" "Levels Copy dialog"
  xdotool windowactivate --sync "$dialog"; sleep 0.2; xdotool key alt+F4
  wait_no_window "Levels Copy"
  focus_main
  log "Levels Copy dialog cancelled with Alt+F4"
}

# The caption "Quarveledit" needs, in openbox's title font (sans, bold, 8 points), room
# for its text and the bar's four pictures (icon, minimise, maximise, close), each about
# as wide as the bar is high.
error_box() {
  levels_menu "Open Set"
  file_dialog "Open" "$TMP/no such file.dag"
  local box bx by bw bh mx my mw mh bar text need
  box=$(wait_window "Quarveledit")
  shoot error_box
  read -r bx by bw bh <<<"$(client_geometry "$box")"
  read -r mx my mw mh <<<"$(client_geometry "$MAIN")"
  bar=$(prop "$box" _NET_FRAME_EXTENTS | sed 's/.*= *//' | cut -d, -f3 | tr -d ' ')
  text=$(convert -density 96 -font DejaVu-Sans-Bold -pointsize 8 label:Quarveledit -format %w info:)
  need=$((text + 4 * bar + 8))
  [ "$bw" -ge "$need" ] || fail "error box is $bw px wide; its caption needs $need"
  local dx=$(( (bx + bw / 2) - (mx + mw / 2) )) dy=$(( (by + bh / 2) - (my + mh / 2) ))
  # Qt counts the box's title bar in, so it may stand up to a bar higher.
  [ ${dx#-} -le 8 ] && [ "$dy" -le 8 ] && [ "$dy" -ge $((-bar - 8)) ] ||
    fail "error box is off the main window's centre by $dx,$dy"
  xdotool windowfocus --sync "$box" key Return
  wait_no_window "Quarveledit"
  focus_main
  log "error box $bw px wide (caption needs $need), centred over the main window"
}

# The session used the open dialog (Copy, Open Set) and now uses the save dialog too; the
# program keeps nothing between runs, so no settings file may be left once it has ended.
save_dialog() {
  save_set "$TMP/saved.dag"
  [ -s "$TMP/saved.dag" ] || fail "Save Set wrote no file"
  log "saved through the save dialog"
}

STEPS=(main_window about_box levels_copy_dialog error_box save_dialog)

# A home of the session's own, to see what the program leaves in it.
export HOME="$TMP/home"
unset XDG_CONFIG_HOME
mkdir -p "$HOME"

mkdir -p "$TMP/bin"
cp "$APP" "$TMP/bin/QuarvelEdit"
start_under_wm "$TMP/bin/QuarvelEdit"
for step in "${STEPS[@]}"; do "$step"; done
levels_menu "Exit"
expect_exit_0 10
settings=$(find "$HOME" -path "$HOME/.cache" -prune -o -type f -print)
[ -z "$settings" ] || fail "the program left settings behind: $settings"
log "no settings file left in the session's home"

# A program file named ".hidden" has the empty title: the class part stays empty.
cp "$APP" "$TMP/bin/.hidden"
start_under_wm "$TMP/bin/.hidden"
class=$(prop "$MAIN" WM_CLASS)
[ "$class" = 'WM_CLASS(STRING) = ".hidden", ""' ] || fail "program file .hidden: $class"
log "program file .hidden: $class"
levels_menu "Exit"
expect_exit_0 10
pass
