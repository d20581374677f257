#!/bin/bash
# The end-to-end helpers click by their own table of places (helpers/drive.sh's PLACE and
# PALETTE_STEP); this checks that copy against the windows' layout table, printed by
# layout_places, so that a control moved in the code cannot leave the scripts clicking
# beside it.
set -u
LAYOUT=${1:?usage: place_table_test.sh LAYOUT_PLACES}
source "$(dirname "$0")/helpers/drive.sh"

# Each place of the helpers and the control it stands for: window and object name.
declare -A CONTROL=(
  [grid]="main DrawGrid1" [palette]="main BitBtn1"
  [rubies]="main SpinEdit1" [emeralds]="main SpinEdit2" [sapphires]="main SpinEdit3"
  [bombs]="main SpinEdit4" [time]="main SpinEdit5" [level]="main SpinEdit6"
  [copy_start]="copy SpinEdit1" [copy_quantity]="copy SpinEdit2" [copy_after]="copy SpinEdit3"
  [copy_ok]="copy Button1"
)
declare -A AT
while read -r window name left top _; do AT["$window $name"]="$left $top"; done < <("$LAYOUT")
[ ${#AT[@]} -gt 0 ] || { echo "FAIL: $LAYOUT printed no layout"; exit 1; }

status=0
fail() { echo "FAIL: $*"; status=1; }
for place in "${!PLACE[@]}"; do
  control=${CONTROL[$place]:-}
  if [ -z "$control" ]; then fail "PLACE[$place] stands for no control this test knows"; continue; fi
  [ "${PLACE[$place]}" = "${AT[$control]:-none}" ] ||
    fail "PLACE[$place] is '${PLACE[$place]}', the layout puts $control at '${AT[$control]:-nowhere}'"
done
# The palette: tiles 0..4 in a row from BitBtn1, tiles 5..9 below them from BitBtn6.
read -r x0 y0 <<<"${AT[main BitBtn1]}"
read -r x1 _ <<<"${AT[main BitBtn2]}"
read -r _ y5 <<<"${AT[main BitBtn6]}"
[ $((x1 - x0)) -eq "$PALETTE_STEP" ] && [ $((y5 - y0)) -eq "$PALETTE_STEP" ] ||
  fail "PALETTE_STEP is $PALETTE_STEP, the layout's buttons are $((x1 - x0)) and $((y5 - y0)) apart"
[ $status -eq 0 ] && echo "the helpers' ${#PLACE[@]} places match the layout"
exit $status
