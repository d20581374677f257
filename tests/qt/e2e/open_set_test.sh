#!/usr/bin/env bash
# Opens a two-level set file through the menu and the open dialog, checks that
# the grid shows its pictures, and that the fields show its numbers: saved
# again the set gives the same bytes, and the up buttons step from the file's
# values. Levels past the file's last one keep what they held before.
source "$(dirname "$0")/lib.sh"
e2e_init "$@"

# Level 1: ten blocks (red, blue, green, yellow) and two cannons; Rubies 1,
# Emeralds 2, Sapphires 3, Bombs 4, Time 60.
L1_CELLS="1,0=1 1,1=1 2,0=1 4,3=3 4,4=3 5,5=2 6,6=4 7,7=1 8,8=1 9,9=3 10,0=7 0,5=6"
# Level 2: one green block, and cell codes outside the tile range, which are
# kept as they are and show no picture.
L2_CELLS="3,3=2 5,0=-1 6,0=1000"
L1="60 4 1 2 3 $L1_CELLS"
L2="100 0 0 0 0 $L2_CELLS"
write_dag "$TMP/fixture.dag" "$L1" "$L2"
[ "$(stat -c %s "$TMP/fixture.dag")" = $((4 + 2 * 296)) ] || fail "fixture has the wrong size"

start_app

# Before opening: level 1 gets a gray block that the file must replace, and
# level 3 a playable level that the file (two levels) must leave alone.
palette 5
click_cell 2 2
set_field time 30
set_field level 3
click_cell 9 12
set_field time 10

open_set "$TMP/fixture.dag"
sleep 0.3
shoot opened
for c in "1 0" "1 1" "2 0" "4 3" "5 5" "6 6" "10 0"; do
  [ "$(at $c)" != FFFFFF ] || fail "cell ($c) of level 1 shows no picture after Open Set"
done
[ "$(at 1 0)" = "$(at 7 7)" ] || fail "red cells (1,0) and (7,7) look different"
[ "$(at 1 0)" != "$(at 4 3)" ] || fail "the red and the blue cell look alike"
# (0,5) holds the upward cannon: its top-left corner is transparent.
[ "$(corner_at 0 5)" = FFFFFF ] || fail "cannon cell (0,5) is not transparent at its corner"
for c in "2 2" "3 0" "5 10" "10 12"; do
  [ "$(at $c)" = FFFFFF ] || fail "cell ($c) of level 1 is not empty after Open Set"
done
log "level 1 pictures shown"

# Saved unchanged, the set gives the file's two levels and then level 3.
L3="10 0 0 0 0 9,12=5"
save_set "$TMP/again.dag"
expect_dag "$TMP/again.dag" "$L1" "$L2" "$L3"
log "saved set matches the file"

# The arrow buttons step from what the fields show: Rubies 1 -> 0, Time 60 -> 61.
field_down rubies
field_up time
save_set "$TMP/stepped.dag"
expect_dag "$TMP/stepped.dag" "61 4 0 2 3 $L1_CELLS" "$L2" "$L3"
log "fields showed the file's numbers"

# Level 2 in the grid: the green block shows, the out-of-range codes do not.
set_field level 2
click_cell 0 0  # the brush is still gray: (0,0) of level 2 becomes a gray block
sleep 0.3
shoot level2
[ "$(at 3 3)" != FFFFFF ] || fail "cell (3,3) of level 2 shows no picture"
for c in "5 0" "6 0" "1 0" "4 3"; do
  [ "$(at $c)" = FFFFFF ] || fail "cell ($c) of level 2 is not blank"
done

# Closing the main window from the desktop ends the program with status 0.
close_main
expect_exit_0 10
pass
