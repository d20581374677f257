#!/usr/bin/env bash
# Every window of the program on the screen, in a table of scales (100, 150, 200 %) and
# screens (1280 x 1024, 1024 x 768) under openbox: the main window, the About box, the open
# dialog at its first showing and at the next, an error box, the Levels Copy dialog, Save's
# warning and the save dialog each open with their frame wholly on the screen, as the X
# server places them; the main window, where it is too big for the screen, with its title
# bar on it. The open dialog opens again where it was. Save's warning has no icon, and its
# text stands evenly between its edges. Each run ends with the main window destroyed from
# outside (xdotool windowclose, which asks nothing), and the program ends within 2 s with
# status 0.
source "$(dirname "$0")/lib.sh"
e2e_init "$@"
source "$(dirname "$0")/helpers/window_manager.sh"

SCALES=(1 1.5 2)
SCREENS=(1280x1024 1024x768)
printf 'DAG\0' >"$TMP/empty.dag"  # a level set holding no level

# inside NAME LEFT TOP RIGHT BOTTOM: fails unless the rectangle lies on the screen.
inside() {
  [ "$2" -ge 0 ] && [ "$3" -ge 0 ] && [ "$4" -le "$SCREEN_W" ] && [ "$5" -le "$SCREEN_H" ] ||
    fail "$RUN: $1 reaches off the ${SCREEN_W}x${SCREEN_H} screen: $2,$3 to $4,$5"
}

# on_screen NAME TITLE: waits for the window titled TITLE and fails unless it lies on the
# screen with its frame; sets WINDOW to it and FRAME to its frame's corners.
on_screen() {
  local left top right bottom
  WINDOW=$(wait_window "$2")
  sleep 0.2  # openbox frames and places a window right after it is mapped
  FRAME=$(frame_of "$WINDOW")
  read -r left top right bottom <<<"$FRAME"
  inside "$1" "$left" "$top" "$right" "$bottom"
  log "$RUN: $1 at $left,$top to $right,$bottom"
}

# The main window lies on the screen with its frame where the screen is big enough for it,
# else its title bar does.
main_on_screen() {
  local left top right bottom bar
  read -r left top right bottom <<<"$(frame_of "$MAIN")"
  if [ $((right - left)) -le "$SCREEN_W" ] && [ $((bottom - top)) -le "$SCREEN_H" ]; then
    inside "main window" "$left" "$top" "$right" "$bottom"
    log "$RUN: main window at $left,$top to $right,$bottom"
  else
    read -r _ bar _ _ <<<"$(frame_extents "$MAIN")"
    inside "main window's title bar" "$left" "$top" "$right" $((top + bar))
    log "$RUN: main window's title bar at $left,$top to $right,$((top + bar)) (the window is $((bottom - top)) high)"
  fi
}

# A command of the menu bar from the keyboard: F10, then the keys $@. A pause between keys:
# a loaded machine may open the menu after the next key has gone.
menu_keys() {
  focus_main
  xdotool key --delay 200 F10 "$@"
}

# The box without an icon sets its text evenly: its margins, measured in the box's client
# area on the screen, differ by at most 2 of its own pixels.
even_text() {
  local x y w h left right
  read -r x y w h <<<"$(client_geometry "$WINDOW")"
  shoot "warning-$RUN"
  convert "$SHOT" -crop "${w}x${h}+${x}+${y}" +repage "$TMP/warning-$RUN-box.png"
  read -r left right <<<"$(text_margins "$TMP/warning-$RUN-box.png")"
  [ "$left" != none ] || fail "$RUN: no text found in the warning box"
  local most
  most=$(awk -v s="$SCALE" 'BEGIN {print int(2 * s + 0.999)}')
  [ "$left" -le $((right + most)) ] && [ "$right" -le $((left + most)) ] ||
    fail "$RUN: the warning's text stands $left px from the left edge and $right px from the right"
  log "$RUN: warning text margins $left and $right px"
}

for SCREEN in "${SCREENS[@]}"; do
  SCREEN_W=${SCREEN%x*} SCREEN_H=${SCREEN#*x}
  new_display "$SCREEN"
  start_openbox
  for SCALE in "${SCALES[@]}"; do
    RUN="${SCALE}x on $SCREEN"
    start_under_wm "$APP" "$SCALE"
    main_on_screen

    menu_keys Right Down Return  # Help > About
    on_screen "About box" "About"
    xdotool windowfocus --sync "$WINDOW" key Return  # its Close button has the focus
    wait_no_window "About"

    menu_keys Down Down Return  # Levels > Open Set
    on_screen "open dialog" "Open"
    first_showing=$FRAME
    file_dialog "Open" "$TMP/no such file.dag"
    on_screen "error box" "Quarveledit"
    xdotool windowfocus --sync "$WINDOW" key Return
    wait_no_window "Quarveledit"

    menu_keys Down Down Down Down Return  # Levels > Copy: the open dialog again
    on_screen "open dialog, shown again" "Open"
    [ "$FRAME" = "$first_showing" ] || fail "$RUN: the open dialog, shown again, moved from $first_showing to $FRAME"
    file_dialog "Open" "$TMP/empty.dag"
    on_screen "Levels Copy dialog" "Levels Copy"
    xdotool windowactivate --sync "$WINDOW"
    sleep 0.2
    xdotool key alt+F4  # the dialog has no cancel key: the window manager's close
    wait_no_window "Levels Copy"

    menu_keys Down Down Down Return  # Levels > Save Set
    on_screen "Save's warning" "Warning!"
    even_text
    xdotool windowfocus --sync "$WINDOW" key Return
    on_screen "save dialog" "Save As"
    xdotool windowfocus --sync "$WINDOW" key Escape
    wait_no_window "Save As"

    xdotool windowclose "$MAIN"
    expect_exit_0 2
    log "$RUN: the main window destroyed, the program ended with status 0"
  done
done
pass
