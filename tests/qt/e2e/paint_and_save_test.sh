#!/usr/bin/env bash
# Paints levels with the palette, the grid and the number fields, saves the set
# through the menu and the save dialog, and checks the file byte for byte:
# the playable levels only, and ".dag" appended to a name typed without one.
source "$(dirname "$0")/lib.sh"
e2e_init "$@"
start_app

# Level 1: red blocks by three clicks and by a drag across three cells.
palette 1
click_cell 1 1
click_cell 3 2
click_cell 5 7
xdotool mousemove --sync "$(cell_x 7)" "$(cell_y 4)" mousedown 1
xdotool mousemove --sync "$(cell_x 8)" "$(cell_y 4)"
xdotool mousemove --sync "$(cell_x 9)" "$(cell_y 4)"
xdotool mouseup 1
# A cannon and a blue block, then the brush back to empty clears (3,2).
palette 8
click_cell 10 12
palette 3
click_cell 0 12
palette 0
click_cell 3 2
set_field rubies 3
set_field emeralds 1
set_field sapphires 1
set_field bombs 1
set_field time 60
# Six blocks against 3+1+1+1 asked for, and Time 60: playable.

shoot level1
# Every red cell shows the same non-white picture pixel; an untouched cell is
# white; the cell cleared by the empty brush lost its picture (it is the
# current cell, so it shows the highlight colour now that a field has the focus).
red=$(at 1 1)
[ "$red" != FFFFFF ] || fail "cell (1,1) shows no picture"
for c in "5 7" "7 4" "8 4" "9 4"; do
  [ "$(at $c)" = "$red" ] || fail "cell ($c) does not show the red block"
done
[ "$(at 2 2)" = FFFFFF ] || fail "empty cell (2,2) is not white"
[ "$(at 3 2)" != "$red" ] || fail "cell (3,2) was not cleared by the empty brush"
[ "$(at 10 12)" != FFFFFF ] && [ "$(at 10 12)" != "$red" ] || fail "cell (10,12) does not show the cannon"

# Level 2: Time 9 keeps it out of the file although it has its block.
set_field level 2
palette 2
click_cell 4 4
set_field time 9

# Level 3: playable with nothing asked for; holds one yellow block.
set_field level 3
palette 4
click_cell 6 0
set_field time 10

save_set "$TMP/painted"

[ -e "$TMP/painted" ] && fail "the file was saved without the .dag extension"
expect_dag "$TMP/painted.dag" \
  "60 1 3 1 1 1,1=1 5,7=1 7,4=1 8,4=1 9,4=1 10,12=8 0,12=3" \
  "10 0 0 0 0 6,0=4"
log "saved file matches"

# Exit from the menu ends the program with status 0.
levels_menu "Exit"
expect_exit_0 10
pass
