#!/usr/bin/env bash
# Opens a set, copies a range of levels out of another file with the Copy
# command and the Levels Copy dialog, and saves: the copied levels overwrite
# from "Insert after" on, the editor moves to the first of them, and a second
# Copy offers the same file and keeps the dialog's values.
source "$(dirname "$0")/lib.sh"
e2e_init "$@"

# Set being edited: three levels.
A1="20 0 1 0 0 0,0=1 1,0=1"
A2="30 0 0 1 0 0,1=2"
A3="40 0 0 0 1 0,2=3"
write_dag "$TMP/edited.dag" "$A1" "$A2" "$A3"
# Source file: four levels, each with a block in a column of its own.
B1="11 0 0 0 0 1,6=1"
B2="22 1 1 0 0 2,6=4 2,7=4"
B3="33 0 0 2 0 3,6=3 3,7=3 3,8=9"
B4="44 0 0 0 0 4,6=2"
write_dag "$TMP/source.dag" "$B1" "$B2" "$B3" "$B4"

start_app
open_set "$TMP/edited.dag"

# Copy: source levels 2 and 3 onto levels 3 and 4.
levels_menu "Copy"
file_dialog "Open" "$TMP/source.dag"
wait_copy_dialog
set_field copy_start 2
set_field copy_quantity 2
set_field copy_after 3
copy_ok

# The editor shows level 3, now source level 2: its yellow blocks in column 2.
sleep 0.3
shoot copied
[ "$(at 2 6)" != FFFFFF ] || fail "cell (2,6) of the shown level has no picture: not source level 2"
[ "$(at 0 2)" = FFFFFF ] || fail "cell (0,2) still shows level 3's old block"
# Its numbers are in the fields: Time steps from 22 to 23 in the level shown.
field_up time
B2_STEPPED="23 1 1 0 0 2,6=4 2,7=4"

save_set "$TMP/after_copy.dag"
expect_dag "$TMP/after_copy.dag" "$A1" "$A2" "$B2_STEPPED" "$B3"
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
wait_copy_dialog
set_field copy_after 300
copy_ok

save_set "$TMP/after_second_copy.dag"
expect_dag "$TMP/after_second_copy.dag" "$A1" "$A2" "$B2_STEPPED" "$B3" "$B2"
log "second copy saved as expected"

levels_menu "Exit"
expect_exit_0 10
pass
