#!/usr/bin/env bash
# Open Set and Copy with a file name that does not exist: an error box
# captioned with the program title comes up, the set is left as it was, and
# after OK the main window goes on working; Exit then ends the program with
# status 0.
source "$(dirname "$0")/lib.sh"
e2e_init "$@"
start_app

# A playable level 1 that the failed commands must leave alone.
palette 2
click_cell 4 4
set_field time 10

error_box() {  # waits for the error box, checks it and presses OK
  local box name
  box=$(wait_window "Quarveledit")
  name=$(xdotool getwindowname "$box")
  [ "$name" = "Quarveledit" ] || fail "error box is captioned '$name'"
  # The error style: the system's error icon, a red disc, at the box's left. The box is
  # found once it is mapped, which can be a while before it is painted.
  local x y i
  read -r x y <<<"$(window_corner "$box")"
  for i in $(seq 20); do
    shoot "$1"
    [ "$(error_icon_at "$SHOT" "$x" "$y")" = 1 ] && break
    [ "$i" = 20 ] && fail "error box shows no error icon"
    sleep 0.25
  done
  xdotool windowfocus --sync "$box" key Return
  wait_no_window "Quarveledit"
  focus_main
}

levels_menu "Open Set"
file_dialog "Open" "$TMP/no such file.dag"
error_box open_error
log "Open Set: error box shown and closed"

levels_menu "Copy"
file_dialog "Open" "$TMP/missing.dag"
error_box copy_error
xdotool search --onlyvisible --name "^Levels Copy\$" >/dev/null 2>&1 && fail "Levels Copy dialog shown after a failed read"
log "Copy: error box shown and closed"

# The window still takes input: a second block, and the saved level holds both.
palette 3
click_cell 5 5
save_set "$TMP/after.dag"
expect_dag "$TMP/after.dag" "10 0 0 0 0 4,4=2 5,5=3"

levels_menu "Exit"
expect_exit_0 10
pass
