# The painting steps of the end-to-end tests, sourced by them. The main window's client area
# starts at screen point $CX,$CY; $DPI is the window's dpi (96 unless set).

# Logical pixels at $DPI, rounded as the program rounds them.
s() { echo $((($1 * ${DPI:-96} + 48) / 96)); }
# The centre of grid cell ($1, $2) in the client area: the grid at 8,8 with cells laid out as
# the core lays them out (1-pixel lines and a 2-pixel border up to 199 %, the pitch of 21
# logical pixels rounded down).
cell() {
  local pitch=$((21 * ${DPI:-96} / 96)) origin=2
  echo $(($(s 8) + origin + $1 * pitch + pitch / 2)) $(($(s 8) + origin + $2 * pitch + pitch / 2))
}
# Clicks the client area's point ($1, $2), in screen pixels from its corner.
click() { xdotool mousemove $((CX + $1)) $((CY + $2)) click 1; }
# Clicks the palette button whose corner is at the logical point ($1, $2).
palette() { click "$(s $(($1 + 16)))" "$(s $(($2 + 16)))"; }

# The red block dragged over row 5 from column 2 to 6; the upward cannon clicked into the
# corner and carried two cells right by the arrow key. The grid keeps the focus.
paint_steps() {
  local x y c
  palette 40 296  # BitBtn2, the red block
  read -r x y < <(cell 2 5)
  xdotool mousemove $((CX + x)) $((CY + y)) mousedown 1
  for c in 3 4 5 6; do
    read -r x y < <(cell $c 5)
    xdotool mousemove $((CX + x)) $((CY + y))
    sleep 0.05
  done
  xdotool mouseup 1
  palette 40 328  # BitBtn10, the upward cannon
  read -r x y < <(cell 0 0)
  click "$x" "$y"
  xdotool key Right Right
}
