# The program under a window manager (openbox): starting it, and the windows' places read
# from the X server with the frame openbox puts round them. Needs the caller's `fail` and
# TMP (helpers/session.sh gives both); the caller stops WM_PID when it ends.

WM_PID=""

# Starts openbox on $DISPLAY, after stopping one this script started before, and waits
# until it manages windows.
start_openbox() {
  local _ tool
  for tool in openbox xprop xwininfo; do
    command -v "$tool" >/dev/null || fail "$tool is not installed (scripts/install-deps)"
  done
  if [ -n "$WM_PID" ]; then kill "$WM_PID" 2>/dev/null || true; wait "$WM_PID" 2>/dev/null || true; fi
  openbox --sm-disable >>"$TMP/openbox.log" 2>&1 &
  WM_PID=$!
  for _ in $(seq 100); do
    grep -q 'window id' <<<"$(xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null)" && return 0
    sleep 0.05
  done
  fail "openbox did not start"
}

# "x y width height" of window $1's client area on the screen (xdotool's geometry is off
# for reparented windows).
client_geometry() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
                           /^ *Width/ {w=$NF} /^ *Height/ {h=$NF} END {print x, y, w, h}'
}

# "left top right bottom" of the frame extents openbox gives window $1.
frame_extents() {
  local extents l r t b
  extents=$(xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= *//p' | tr -d ',')
  [ -n "$extents" ] || fail "window $1 has no frame"
  read -r l r t b <<<"$extents"
  echo "$l $t $r $b"
}

# "left top right bottom" of window $1 with its frame, right and bottom exclusive.
frame_of() {
  local x y w h l t r b
  read -r x y w h <<<"$(client_geometry "$1")"
  read -r l t r b <<<"$(frame_extents "$1")"
  echo "$((x - l)) $((y - t)) $((x + w + r)) $((y + h + b))"
}

# The drive helpers take any other visible window for a popup of the program; openbox has
# windows of its own, so only the program's count here, and of those only the ones of their
# own: not the native parts of a window (its menu bar, its client area), which are viewable
# children of that window.
other_window() {
  local w parent ours
  ours=" $(xdotool search --onlyvisible --pid "$APP_PID" 2>/dev/null | tr '\n' ' ') "
  for w in $ours; do
    [ "$w" = "$MAIN" ] || [ "$w" = "$1" ] && continue
    parent=$(xwininfo -children -id "$w" 2>/dev/null | sed -n 's/.*Parent window id: \(0x[0-9a-fA-F]*\).*/\1/p')
    [ -n "$parent" ] && [[ $ours == *" $((parent)) "* ]] && continue
    echo "$w"; return 0
  done
  return 0
}

# Starts the program file $1 (with QT_SCALE_FACTOR $2 if given) and sets MAIN, its client
# corner WX, WY, MENU_H and CX, CY (the last two right at 100 % only).
start_under_wm() {
  env ${2:+QT_SCALE_FACTOR=$2} "$1" >"$TMP/app.log" 2>&1 &
  APP_PID=$!
  MAIN=$(wait_window "Quarvel Levels Editor" 15)
  local w h
  read -r WX WY w h <<<"$(client_geometry "$MAIN")"
  MENU_H=$((h - 477))
  CX=$WX; CY=$((WY + MENU_H))
  focus_main
}
