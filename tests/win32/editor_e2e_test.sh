#!/bin/bash
# The Win32 editor end to end under Wine, on a display of its own with openbox
# (on_display.sh runs this script), driven with xdotool; window_probe reads the true places
# and texts of its windows and boxes from the window system.
#   editor_e2e_test.sh WINE QUARVELEDIT.EXE WINDOW_PROBE.EXE DAG_FIXTURE.EXE HOLD_FILE.EXE
set -euo pipefail
WINE=$1 APP=$2 PROBE=$3 FIXTURE=$4 HOLD=$5
RUN=e2e
source "$(dirname "$0")/e2e_run.sh"

"$WINE" "$APP" >"$TMP/app.log" 2>&1 &
APP_PID=$!
main=$(wait_window "Quarvel Levels Editor")

# The frame at 204,129 and a client area of 256 x 477 below the menu bar.
read -r _ ML MT MR MB < <(grep -o 'frame [-0-9 ]*' <<<"$main")
fl=$ML ft=$MT
read -r _ CX CY CW CH < <(grep -o 'client [-0-9 ]*' <<<"$main")
[ "$fl,$ft" = "204,129" ] || fail "main window at $fl,$ft"
[ "$CW x $CH" = "256 x 477" ] || fail "client area $CW x $CH"

# The controls at their places, with their texts.
expect_child() {
  grep -qxF "  child $1" <<<"$main" || fail "no control '$1' in: $main"
}
# Each control has a name for screen readers: its text, the palette buttons' their tile's.
expect_child "TDrawGrid|Level grid|8 8 241 281"
for field in "Rubies|8 392" "Emeralds|80 392" "Sapphires|152 392" "Bombs|176 312" "Time|176 352" "Level|176 448"; do
  expect_child "TSpinEdit|$field 65 22"
done
for button in "Empty|8 296" "Red block|40 296" "Green block|72 296" "Blue block|104 296" "Yellow block|136 296" \
  "Grey block|8 328" "Cannon up|40 328" "Cannon right|72 328" "Cannon down|104 328" "Cannon left|136 328"; do
  expect_child "Button|$button 33 33"
done
expect_child "Button|Check Level|8 448 113 25"
for label in "Rubies|8 376" "Emeralds|80 376" "Sapphires|152 376" "Bombs|176 296" "Time|176 336" "Level|176 432"; do
  grep -q "^  child Static|${label} [0-9]* 13\$" <<<"$main" || fail "no label $label"
done

# The focus order: Tab from the grid through every control and back to it, Shift+Tab back.
focused() { probe focus "Quarvel Levels Editor" | sed 's/^  child //'; }
order=("TSpinEdit|Rubies|8 392 65 22" "Button|Empty|8 296 33 33" "Button|Red block|40 296 33 33"
  "Button|Green block|72 296 33 33" "Button|Blue block|104 296 33 33" "Button|Yellow block|136 296 33 33"
  "Button|Grey block|8 328 33 33" "Button|Cannon left|136 328 33 33" "Button|Cannon down|104 328 33 33"
  "Button|Cannon right|72 328 33 33" "Button|Cannon up|40 328 33 33" "TSpinEdit|Emeralds|80 392 65 22"
  "TSpinEdit|Sapphires|152 392 65 22" "TSpinEdit|Bombs|176 312 65 22" "TSpinEdit|Time|176 352 65 22"
  "TSpinEdit|Level|176 448 65 22" "Button|Check Level|8 448 113 25" "TDrawGrid|Level grid|8 8 241 281")
[ "$(focused)" = "TDrawGrid|Level grid|8 8 241 281" ] || fail "the grid has no focus at start: $(focused)"
for control in "${order[@]}"; do
  xdotool key Tab
  [ "$(focused)" = "$control" ] || fail "Tab went to $(focused), not $control"
done
xdotool key shift+Tab
[ "$(focused)" = "Button|Check Level|8 448 113 25" ] || fail "Shift+Tab from the grid went to $(focused)"
xdotool key Tab

# Levels menu item $1 (1 New Set, 2 Open Set, 3 Save Set, 4 Copy, 5 Exit).
menu_item() {
  xdotool mousemove $((CX + 15)) $((CY - 8)) click 1
  sleep 0.3
  xdotool key --repeat "$1" --delay 50 Down
  xdotool key Return
}
# The box or dialog titled $1 is owned by the main window: it has no taskbar button of its
# own, and the main window takes no input while it is open.
expect_owned() {
  local owner
  owner=$(probe owner "$1" | grep -v '^owner TApplication|')
  grep -q '^owner [^|]*|TForm1|Quarvel Levels Editor$' <<<"$owner" || fail "'$1' is not the main window's: $owner"
}
# The window whose lines are $2, titled $1, opens over the main window: its centre on it.
expect_over() {
  local l t r b
  read -r _ l t r b < <(grep -o '^window .*frame [-0-9 ]*' <<<"$2" | grep -o 'frame [-0-9 ]*')
  local x=$(((l + r) / 2)) y=$(((t + b) / 2))
  ((x > ML && x < MR && y > MT && y < MB)) || fail "'$1' at $l,$t-$r,$b is not over the main window"
}
# Answers the box titled $1, after checking its text $2, its owner and its place; then the
# control that had the keyboard, $3 (when given), has it again.
answer_box() {
  local box
  box=$(wait_window "$1")
  grep -qF "|$2|" <<<"$box" || fail "box '$1' does not say '$2': $box"
  expect_owned "$1"
  expect_over "$1" "$box"
  xdotool key Return
  wait_gone "$1"
  [ -z "${3:-}" ] && return 0
  for _ in $(seq 50); do [ "$(focused)" = "$3" ] && return 0; sleep 0.1; done
  fail "after '$1' the keyboard is at $(focused), not at $3"
}
# Types the full name $2 into the file dialog titled $1 and confirms it.
file_dialog() {
  wait_window "$1" >/dev/null
  expect_owned "$1"
  sleep 0.3
  # The name the dialog offers (the last one confirmed) is replaced.
  xdotool key End shift+Home
  xdotool type --delay 20 "$(winname "$2")"
  xdotool key Return
  wait_gone "$1"
}

# Paint: the red block dragged over row 5 from column 2 to 6, the upward cannon clicked
# into the corner and carried two cells right by the arrow key.
paint_steps
# Rubies 3 (Tab from the grid selects the whole field), Time 60.
xdotool key Tab
xdotool type 3
click 200 362
xdotool key End BackSpace BackSpace BackSpace
xdotool type 60
click 60 460
CHECK_LEVEL="Button|Check Level|8 448 113 25"
answer_box "Confirmation!" "This level is good to go!" "$CHECK_LEVEL"

# Save Set: the warning, then the name without its extension.
menu_item 3
answer_box "Warning!" "All incorrect levels will be deleted from the set"
file_dialog "Save As" "$TMP/saved"
"$WINE" "$FIXTURE" "$(winname "$TMP/expected.dag")" "60 0 3 0 0 2,5=1 3,5=1 4,5=1 5,5=1 6,5=1 0,0=6 1,0=6 2,0=6"
for _ in $(seq 50); do cmp -s "$TMP/expected.dag" "$TMP/saved.dag" && break; sleep 0.1; done
cmp "$TMP/expected.dag" "$TMP/saved.dag" || fail "Save Set wrote other bytes"

# Open Set of a missing file: the error box under the program title.
menu_item 2
file_dialog "Open" "$TMP/missing.dag"
answer_box "Quarveledit" "File not found." "$CHECK_LEVEL"

# Open Set of a file another program holds open, sharing it with no one.
mkfifo "$TMP/hold.in"
"$WINE" "$HOLD" "$(winname "$TMP/saved.dag")" <"$TMP/hold.in" >"$TMP/hold.out" 2>&1 &
exec 3>"$TMP/hold.in"
for _ in $(seq 100); do grep -q held "$TMP/hold.out" && break; sleep 0.1; done
grep -q held "$TMP/hold.out" || fail "hold_file did not hold the file: $(cat "$TMP/hold.out")"
menu_item 2
file_dialog "Open" "$TMP/saved.dag"
answer_box "Quarveledit" "I/O error 32." "$CHECK_LEVEL"
exec 3>&-

# Copy: a file of 10 levels, then Start from 2, Quantity 3, Insert after typed as 300,
# which leaving the field makes 256: only level 256 is written, with the file's level 2,
# and the editor shows it.
levels=()
for i in $(seq 10); do levels+=("$((10 + i)) 0 $i 0 0 0,0=$((i % 10))"); done
"$WINE" "$FIXTURE" "$(winname "$TMP/source.dag")" "${levels[@]}"
menu_item 4
file_dialog "Open" "$TMP/source.dag"
copy=$(wait_window "Levels Copy")
expect_owned "Levels Copy"
read -r _ fl ft _ _ < <(grep -o 'frame [-0-9 ]*' <<<"$copy")
[ "$fl,$ft" = "436,396" ] || fail "Levels Copy at $fl,$ft"
grep -q 'client [0-9]* [0-9]* 198 202|' <<<"$copy" || fail "Levels Copy's client area: $copy"
for control in "TSpinEdit|Start from|8 40 65 22" "TSpinEdit|Quantity|8 96 65 22" "TSpinEdit|Insert after|8 152 65 22" \
  "Button|OK|104 40 75 25" \
  "Button|Cancel|104 96 75 25"; do
  grep -qxF "  child $control" <<<"$copy" || fail "no control '$control' in Levels Copy"
done
xdotool key End BackSpace
xdotool type 2
xdotool key Tab
xdotool type 3
xdotool key Tab
xdotool type 300
xdotool key Tab
xdotool key Return
wait_gone "Levels Copy"
main=$(wait_window "Quarvel Levels Editor")
fields=$(grep -o '^  child Edit|[^|]*' <<<"$main" | cut -d'|' -f2 | tr '\n' ' ')
# Rubies, Emeralds, Sapphires, Bombs, Time, Level.
[ "$fields" = "2 0 0 0 12 256 " ] || fail "after Copy the fields show $fields"

# About: the box, closed by Enter on its Close button.
xdotool mousemove $((CX + 60)) $((CY - 8)) click 1
sleep 0.3
xdotool key Down Return
about=$(wait_window "About")
expect_owned "About"
expect_over "About" "$about"
grep -q 'client [0-9]* [0-9]* 232 243|' <<<"$about" || fail "About's client area: $about"
grep -qF "|Quarvel/Levels Editor /" <<<"$about" || fail "About's text: $about"
xdotool key Return
wait_gone "About"

# Exit ends the program at once, with status 0.
menu_item 5
status=0
wait "$APP_PID" || status=$?
APP_PID=""
[ "$status" = 0 ] || fail "exit status $status"
OK=1
echo "PASS"
