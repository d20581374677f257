#!/usr/bin/env bash
# Opens a set, copies a range of levels out of another file with the Copy
# command and the Levels Copy dialog, and saves: the copied levels overwrite
# from "Insert after" on, the editor moves to the first of them, and a second
# Copy offers the same file and keeps the dialog's values.
source "$(dirname "$0")/lib.sh"
e2e_init "$@"

# Set being edited: three levels.
A1=$(level_hex 20 0 1 0 0 "0,0=1 1,0=1")
A2=$(level_hex 30 0 0 1 0 "0,1=2")
A3=$(level_hex 40 0 0 0 1 "0,2=3")
hex_to_file "$TMP/edited.dag" "$HEADER_HEX$A1$A2$A3"
# Source file: four levels, each with a block in a column of its own.
B1=$(level_hex 11 0 0 0 0 "1,6=1")
B2=$(level_hex 22 1 1 0 0 "2,6=4 2,7=4")
B3=$(level_hex 33 0 0 2 0 "3,6=3 3,7=3 3,8=9")
B4=$(level_hex 44 0 0 0 0 "4,6=2")
hex_to_file "$TMP/source.dag" "$HEADER_HEX$B1$B2$B3$B4"

start_app
open_set "$TMP/edited.dag"

# Copy: source levels 2 and 3 onto levels 3 and 4.
levels_menu "Copy"
file_dialog "Open" "$TMP/source.dag"
DLG=$(wait_window "Levels Copy")
xdotool windowfocus --sync "$DLG"
geo=$(xdotool getwindowgeometry --shell "$DLG")
DX=$(echo "$geo" | sed -n 's/^X=//p'); DY=$(echo "$geo" | sed -n 's/^Y=//p')
log "Levels Copy dialog at $DX,$DY"
dlg_field() {  # client x, y of the field, then the text
  xdotool mousemove --sync $((DX + $1 + 20)) $((DY + $2 + 11)) click 1
  xdotool key ctrl+a
  xdotool type --delay 20 "$3"
}
dlg_ok() { xdotool mousemove --sync $((DX + 104 + 37)) $((DY + 40 + 12)) click 1; }
dlg_field 8 40 2    # Start from
dlg_field 8 96 2    # Quantity
dlg_field 8 152 3   # Insert after
dlg_ok
wait_no_window "Levels Copy"
focus_main

# The editor shows level 3, now source level 2: its yellow blocks in column 2.
sleep 0.3
screenshot "$TMP/copied.png"
at() { pixel "$TMP/copied.png" $(($(cell_x "$1") - 4)) $(($(cell_y "$2") - 4)); }
[ "$(at 2 6)" != FFFFFF ] || fail "cell (2,6) of the shown level has no picture: not source level 2"
[ "$(at 0 2)" = FFFFFF ] || fail "cell (0,2) still shows level 3's old block"
# Its numbers are in the fields: Time steps from 22 to 23 in the level shown.
click_client $((176 + 65 - 8)) $((352 + 5))
B2_STEPPED=$(level_hex 23 1 1 0 0 "2,6=4 2,7=4")

save_set "$TMP/after_copy.dag"
expect_file_hex "$TMP/after_copy.dag" "$HEADER_HEX$A1$A2$B2_STEPPED$B3"
log "first copy saved as expected"

# Second Copy: the open dialog offers source.dag (Return takes it), the dialog
# still holds 2, 2, 3; Insert after typed as 300 becomes 256, so only level 256
# is written, with source level 2.
levels_menu "Copy"
w=$(wait_window "Open")
xdotool windowfocus --sync "$w"
sleep 0.2
xdotool key Return
wait_no_window "Open"
DLG=$(wait_window "Levels Copy")
xdotool windowfocus --sync "$DLG"
dlg_field 8 152 300
dlg_ok
wait_no_window "Levels Copy"
focus_main

save_set "$TMP/after_second_copy.dag"
expect_file_hex "$TMP/after_second_copy.dag" "$HEADER_HEX$A1$A2$B2_STEPPED$B3$B2"
log "second copy saved as expected"

levels_menu "Exit"
expect_exit_0 10
pass
