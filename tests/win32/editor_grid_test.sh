#!/bin/bash
# The Win32 editor's grid, pixel for pixel, against the Linux editor's after the same steps,
# at 100 % and 150 % (96 and 144 dpi, Wine's LogPixels), under Wine on a display of its own
# with openbox (on_display.sh runs this script). The Linux grid's pixels come from the core's
# grid picture (grid_picture.exe), which the Qt grid is tested to match, in the editor's
# standard colours, which the Wine session is given for the run.
# Steps: the red block dragged over row 5 from column 2 to 6; the upward cannon clicked into
# the corner and carried two cells right by the arrow key; clicked into column 8, row 10
# and carried down by three notches of the wheel, which stop at row 12. The grid is compared
# focused, then once a palette button has taken the focus (the current cell highlighted).
#   editor_grid_test.sh WINE QUARVELEDIT.EXE WINDOW_PROBE.EXE DAG_FIXTURE.EXE GRID_PICTURE.EXE
set -euo pipefail
WINE=$1 APP=$2 PROBE=$3 FIXTURE=$4 PICTURE=$5
RUN=grid
source "$(dirname "$0")/e2e_run.sh"
COLORS='HKCU\Control Panel\Colors'
# The grid's colour roles and their values in the editor's standard colours.
STANDARD=(Window "255 255 255" Hilight "48 140 198" ButtonShadow "106 104 100" ButtonHilight "255 255 255"
  ButtonDkShadow "0 0 0" ButtonLight "233 231 227")
declare -A saved_colours
for ((i = 0; i < ${#STANDARD[@]}; i += 2)); do saved_colours[${STANDARD[i]}]=$(reg_value "$COLORS" "${STANDARD[i]}"); done
on_exit() {
  local name
  for name in "${!saved_colours[@]}"; do
    [ -n "${saved_colours[$name]}" ] && "$WINE" reg add "$COLORS" /v "$name" /d "${saved_colours[$name]}" /f >/dev/null 2>&1
  done
  return 0
}
for ((i = 0; i < ${#STANDARD[@]}; i += 2)); do
  "$WINE" reg add "$COLORS" /v "${STANDARD[i]}" /d "${STANDARD[i + 1]}" /f >/dev/null 2>&1
done

# The level the steps paint, as the Linux editor would hold it.
"$WINE" "$FIXTURE" "$(winname "$TMP/painted.dag")" \
  "0 0 0 0 0 2,5=1 3,5=1 4,5=1 5,5=1 6,5=1 0,0=6 1,0=6 2,0=6 8,10=6 8,11=6 8,12=6"

# Waits until the editor's grid shows what grid_picture draws for dpi $1 with the current
# cell at column 8, row 12, $2 (focused or selected).
expect_grid() {
  local dpi=$1 look=$2 name="grid-$1-$2"
  "$WINE" "$PICTURE" "$(winname "$TMP/painted.dag")" 1 "$dpi" 8 12 "$look" "$(winname "$TMP/$name-expected.ppm")"
  for _ in $(seq 50); do
    probe pixels "Quarvel Levels Editor" "$(winname "$TMP/$name.ppm")" TDrawGrid
    cmp -s "$TMP/$name-expected.ppm" "$TMP/$name.ppm" && return 0
    sleep 0.1
  done
  convert "$TMP/$name.ppm" "$TMP/$name.png" 2>/dev/null || true
  convert "$TMP/$name-expected.ppm" "$TMP/$name-expected.png" 2>/dev/null || true
  fail "the grid at $dpi dpi, $look, is not the Linux editor's: see $TMP/$name.png and $name-expected.png"
}

for dpi in 96 144; do
  set_dpi "$dpi"
  "$WINE" "$APP" >"$TMP/app-$dpi.log" 2>&1 &
  APP_PID=$!
  main=""
  for _ in $(seq 100); do
    main=$(probe windows | grep '^window TForm1|' || true)
    [ -n "$main" ] && break
    sleep 0.1
  done
  [ -n "$main" ] || fail "no main window at $dpi dpi"
  read -r _ CX CY CW CH < <(grep -o 'client [-0-9 ]*' <<<"$main")
  DPI=$dpi
  [ "$CW x $CH" = "$(s 256) x $(s 477)" ] || fail "client area $CW x $CH at $dpi dpi"
  paint_steps
  read -r x y < <(cell 8 10)
  click "$x" "$y"
  xdotool click --repeat 3 --delay 50 5  # three notches down: rows 11 and 12, then no further
  expect_grid "$dpi" focused
  palette 8 296  # BitBtn1 takes the focus; the brush does not matter any more
  expect_grid "$dpi" selected

  "$WINE" "$PROBE" close "Quarvel Levels Editor" >/dev/null 2>&1
  wait "$APP_PID" || fail "exit status $? at $dpi dpi"
  APP_PID=""
done
OK=1
echo "PASS"
