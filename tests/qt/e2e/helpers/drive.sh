# Driving the editor as a user would: clicks, typing, the Levels menu, the file dialogs,
# the Levels Copy dialog, and the desktop's close command.

# ---- where things are -----------------------------------------------------------------
# Every place the scripts click, in one table: "x y" of a control's top-left corner in the
# main window's client area (below the menu bar, at CX, CY on the screen), or for copy_*
# in the Levels Copy dialog. A copy of src/editor/Layout.h's numbers, checked
# against it by place_table_test.sh.
declare -grA PLACE=(
  [grid]="8 8"          # cells of 21 px from 2 px inside its corner, 11 columns x 13 rows
  [palette]="8 296"     # tile buttons 32 px apart: tiles 0..4, below them 5..9
  [rubies]="8 392"      # the number fields are 65 x 22, their arrow buttons at the right
  [emeralds]="80 392"
  [sapphires]="152 392"
  [bombs]="176 312"
  [time]="176 352"
  [level]="176 448"
  [copy_start]="8 40"   # the Levels Copy dialog's three fields
  [copy_quantity]="8 96"
  [copy_after]="8 152"
  [copy_ok]="104 40"    # its OK button, 75 x 25
)
# Inside a control, from its corner: a grid cell's centre, a palette button's centre, a
# field's text, its up and its down arrow, a button's centre.
CELL_SIZE=21; CELL_CENTRE=$((2 + 10))
PALETTE_STEP=32; PALETTE_CENTRE=16
FIELD_TEXT="20 11"; FIELD_UP="57 5"; FIELD_DOWN="57 16"
BUTTON_CENTRE="37 12"
# The Levels menu: its title's x on the menu bar, and each item's y in the drop-down.
LEVELS_MENU_X=25
declare -grA LEVELS_MENU_ITEM=(["New Set"]=11 ["Open Set"]=29 ["Save Set"]=47 ["Copy"]=74 ["Exit"]=101)

# Prints the screen x, y of the place $1 plus the offset "$2" ("dx dy") in the window
# whose client area has its corner at $3, $4 (the main window's by default).
place_point() {
  local x y dx=0 dy=0
  read -r x y <<<"${PLACE[$1]:?no place $1}"
  [ -n "${2:-}" ] && read -r dx dy <<<"$2"
  echo "$((${3:-$CX} + x + dx)) $((${4:-$CY} + y + dy))"
}

# ---- the main window --------------------------------------------------------------------
# Clicks at client coordinates of the main window.
click_client() { xdotool mousemove --sync $((CX + $1)) $((CY + $2)) click 1; }

# Screen centre of grid cell (c, r).
cell_x() { local x y; read -r x y <<<"${PLACE[grid]}"; echo $((CX + x + CELL_SIZE * $1 + CELL_CENTRE)); }
cell_y() { local x y; read -r x y <<<"${PLACE[grid]}"; echo $((CY + y + CELL_SIZE * $1 + CELL_CENTRE)); }
click_cell() { xdotool mousemove --sync "$(cell_x "$1")" "$(cell_y "$2")" click 1; }

# Palette button of tile $1 (0..9).
palette() {
  local t=$1 x y col row
  read -r x y <<<"${PLACE[palette]}"
  if [ "$t" -le 4 ]; then col=$t; row=0; else col=$((t - 5)); row=1; fi
  click_client $((x + PALETTE_STEP * col + PALETTE_CENTRE)) $((y + PALETTE_STEP * row + PALETTE_CENTRE))
}

# Replaces the text of the number field $1 (rubies, emeralds, sapphires, bombs, time,
# level, or copy_* with the Levels Copy dialog open) with $2.
set_field() {
  local origin=("$CX" "$CY")
  [[ $1 == copy_* ]] && origin=("$DLG_X" "$DLG_Y")
  xdotool mousemove --sync $(place_point "$1" "$FIELD_TEXT" "${origin[@]}") click 1
  xdotool key ctrl+a
  xdotool type --delay 20 "$2"
}

# Clicks the up or the down arrow of the number field $1.
field_up() { xdotool mousemove --sync $(place_point "$1" "$FIELD_UP") click 1; }
field_down() { xdotool mousemove --sync $(place_point "$1" "$FIELD_DOWN") click 1; }

# Opens the "Levels" menu and clicks the item $1 (New Set, Open Set, Save Set, Copy, Exit).
levels_menu() {
  local item=$1 dy popup
  dy=${LEVELS_MENU_ITEM[$item]:-}
  [ -n "$dy" ] || fail "no menu item '$item'"
  xdotool mousemove --sync $((WX + LEVELS_MENU_X)) $((WY + MENU_H / 2)) click 1
  # The drop-down is a window of its own just below the menu bar.
  popup=""
  local i w
  for i in $(seq 100); do
    for w in $(xdotool search --onlyvisible --name '' 2>/dev/null); do
      [ "$w" = "$MAIN" ] && continue
      # Its top lies on the line under the menu bar or just below it.
      local top
      top=$(xdotool getwindowgeometry --shell "$w" | sed -n 's/^Y=//p')
      if [ -n "$top" ] && [ "$top" -ge $((CY - 1)) ] && [ "$top" -le "$CY" ]; then popup=$w; break 2; fi
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

# ---- dialogs ------------------------------------------------------------------------------
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
  # While the name is typed, the dialog drops down a list of completions, a popup window of
  # its own. A list still open at the end takes Return and leaves the program swallowing the
  # next mouse click. It may stay open, even showing names that no longer match, on a loaded
  # machine, or go a moment later; Escape would close the dialog itself once it has gone.
  # So a list that is still there after a pause is closed with a click on the dialog's bare
  # margin, which does nothing when no list is open.
  local i x y
  sleep 0.3
  for i in $(seq 20); do [ -z "$(other_window "$w")" ] && break; sleep 0.05; done
  if [ -n "$(other_window "$w")" ]; then
    read -r x y <<<"$(window_corner "$w")"
    xdotool mousemove --sync $((x + 3)) $((y + 3)) click 1
    for i in $(seq 60); do [ -z "$(other_window "$w")" ] && break; sleep 0.05; done
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

# Waits for the Levels Copy dialog and focuses it; DLG_X, DLG_Y hold its corner (the
# dialog has no menu bar: its client area starts there).
wait_copy_dialog() {
  DLG=$(wait_window "Levels Copy")
  xdotool windowfocus --sync "$DLG"
  read -r DLG_X DLG_Y <<<"$(window_corner "$DLG")"
  log "Levels Copy dialog at $DLG_X,$DLG_Y"
}

# Presses the Levels Copy dialog's OK and waits for it to close.
copy_ok() {
  xdotool mousemove --sync $(place_point copy_ok "$BUTTON_CENTRE" $DLG_X $DLG_Y) click 1
  wait_no_window "Levels Copy"
  focus_main
}

# ---- closing ------------------------------------------------------------------------------
# Closes the main window as the desktop's close command does (WM_DELETE_WINDOW), with
# the wm_close tool built from wm_close.cpp.
close_main() {
  "$WM_CLOSE" "$MAIN" || fail "could not send the close request to the main window"
}
