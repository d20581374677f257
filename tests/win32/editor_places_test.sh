#!/bin/bash
# Where the Win32 editor's windows open, at 96, 144 and 192 dpi (Wine's LogPixels), on
# screens of 1280 x 1024 and 1024 x 768: Wine's own desktop of that size with its shell,
# whose taskbar takes the bottom of the screen from the work area, on a display of its own
# with openbox (on_display.sh runs this script). Each window stands at its own place where
# it fits there, else moved just enough to lie on the work area; one taller than it with
# its top, and so its title bar, at the work area's top. The main window, a message box
# (Check Level, pressed from the keyboard: at 192 dpi on a small screen the button lies
# below it), About, and Levels Copy.
#   editor_places_test.sh WINE QUARVELEDIT.EXE WINDOW_PROBE.EXE DAG_FIXTURE.EXE
set -euo pipefail
WINE=$1 APP=$2 PROBE=$3 FIXTURE=$4
RUN=places
DESKTOP_PID=""
source "$(dirname "$0")/e2e_run.sh"
PROBE_ARGS=(--desktop shell)
on_exit() {
  [ -n "$DESKTOP_PID" ] || return 0
  probe close "Quarvel Levels Editor" >/dev/null
  kill "$DESKTOP_PID" 2>/dev/null
}
frame_of() { grep -o '^window .*frame [-0-9 ]*' <<<"$1" | grep -o 'frame [-0-9 ]*' | cut -d' ' -f2-; }
# The window titled $1 (window lines $2) wanted to open with its frame's corner at $3,$4:
# it is there, moved just enough to lie on the work area WL WT WR WB, its top at the work
# area's top when it is taller.
expect_place() {
  local l t r b want_l want_t
  read -r l t r b < <(frame_of "$2")
  want_l=$(($3 < WR - (r - l) ? $3 : WR - (r - l))) want_t=$(($4 < WB - (b - t) ? $4 : WB - (b - t)))
  want_l=$((want_l > WL ? want_l : WL)) want_t=$((want_t > WT ? want_t : WT))
  [ "$l,$t" = "$want_l,$want_t" ] ||
    fail "$1 at $l,$t ($((r - l)) x $((b - t))), not at $want_l,$want_t, at $DPI dpi on $SIZE (work area $WL,$WT-$WR,$WB)"
}
# The frame $1 centred over the frame $2, as "left top".
centred() {
  local l t r b ol ot or ob
  read -r l t r b <<<"$1"
  read -r ol ot or ob <<<"$2"
  echo $((ol + (or - ol - (r - l)) / 2)) $((ot + (ob - ot - (b - t)) / 2))
}

levels=()
for i in $(seq 10); do levels+=("$((10 + i)) 0 $i 0 0 0,0=$((i % 10))"); done
"$WINE" "$FIXTURE" "$(winname "$TMP/source.dag")" "${levels[@]}"
# The screen's own size last: Wine keeps the size of the last desktop for the next program
# of the prefix, and the other tests' screen is 1280 x 1024.
for SIZE in 1024x768 1280x1024; do
  for DPI in 96 144 192; do
    set_dpi "$DPI"
    "$WINE" explorer "/desktop=shell,$SIZE" "$APP" >"$TMP/desktop-$DPI.log" 2>&1 &
    DESKTOP_PID=$!
    main=$(wait_window "Quarvel Levels Editor")
    read -r _ WL WT WR WB < <(probe workarea)
    ((WB < ${SIZE#*x})) || fail "no taskbar takes the bottom of the screen: work area $WL,$WT-$WR,$WB"
    expect_place "the main window" "$main" "$(s 204)" "$(s 129)"
    # Screen points: the desktop's corner on the display, plus the client area's corner.
    desktop=""
    for _ in $(seq 100); do
      desktop=$(xdotool search --name '^shell - Wine desktop$' 2>/dev/null | head -1 || true)
      [ -n "$desktop" ] && break
      sleep 0.1
    done
    [ -n "$desktop" ] || fail "no X window of Wine's desktop"
    DX=$(xwininfo -id "$desktop" | sed -n 's/^ *Absolute upper-left X: *//p')
    DY=$(xwininfo -id "$desktop" | sed -n 's/^ *Absolute upper-left Y: *//p')
    read -r _ CX CY _ _ < <(grep -o 'client [-0-9 ]*' <<<"$main")
    CX=$((DX + CX)) CY=$((DY + CY))

    # Check Level from the keyboard: Shift+Tab from the grid reaches it. A click beside the
    # grid, on no control, makes the window the one keys go to.
    click "$(s 252)" "$(s 150)"
    for _ in $(seq 100); do
      probe focus "Quarvel Levels Editor" | grep -q '^  child TDrawGrid|' && break
      sleep 0.1
    done
    xdotool key shift+Tab space
    box=$(wait_window "Error!")
    read -r x y < <(centred "$(frame_of "$box")" "$(frame_of "$main")")
    expect_place "the box" "$box" "$x" "$y"
    xdotool key Return
    wait_gone "Error!"
    # In Wine's own desktop too, the keyboard is back at the button that had it.
    for _ in $(seq 50); do
      probe focus "Quarvel Levels Editor" | grep -q '^  child Button|Check Level|' && break
      sleep 0.1
    done
    probe focus "Quarvel Levels Editor" | grep -q '^  child Button|Check Level|' ||
      fail "after the box the keyboard is at $(probe focus "Quarvel Levels Editor"), not at Check Level"

    # About, from the Help menu.
    xdotool mousemove $((CX + $(s 60))) $((CY - 8)) click 1
    sleep 0.3
    xdotool key Down Return
    about=$(wait_window "About")
    read -r x y < <(centred "$(frame_of "$about")" "$(frame_of "$main")")
    expect_place "About" "$about" "$x" "$y"
    xdotool key Return
    wait_gone "About"

    # Levels Copy, from the Levels menu after a file.
    xdotool mousemove $((CX + 15)) $((CY - 8)) click 1
    sleep 0.3
    xdotool key --repeat 4 --delay 50 Down
    xdotool key Return
    wait_window "Open" >/dev/null
    sleep 0.3
    xdotool key End shift+Home
    xdotool type --delay 20 "$(winname "$TMP/source.dag")"
    xdotool key Return
    copy=$(wait_window "Levels Copy")
    expect_place "Levels Copy" "$copy" "$(s 436)" "$(s 396)"
    xdotool key Tab Tab Tab Tab Return
    wait_gone "Levels Copy"

    probe close "Quarvel Levels Editor" >/dev/null
    # The desktop ends with the last program in it.
    for _ in $(seq 100); do kill -0 "$DESKTOP_PID" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$DESKTOP_PID" 2>/dev/null && fail "Wine's desktop did not end with the program"
    DESKTOP_PID=""
  done
done
OK=1
echo "PASS"
