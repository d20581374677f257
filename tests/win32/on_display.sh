#!/bin/bash
# on_display.sh COMMAND...: runs COMMAND (a Windows program under Wine) on an X display of its
# own with a window manager, as the Win32 windows need one: on a bare Xvfb, Wine's windows
# get no reliable keyboard focus. Exits with COMMAND's status.
set -u
for tool in Xvfb openbox xprop; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed (scripts/install-deps)" >&2; exit 1; }
done
source "$(dirname "$0")/../support/xvfb.sh"
dir=$(mktemp -d /tmp/quarvel-win32-display.XXXXXX)
OPENBOX_PID=""
cleanup() {
  [ -n "$OPENBOX_PID" ] && kill "$OPENBOX_PID" 2>/dev/null
  [ -n "${XVFB_PID:-}" ] && { kill "$XVFB_PID" 2>/dev/null; wait "$XVFB_PID" 2>/dev/null; }
  rm -rf "$dir"
}
trap cleanup EXIT
# One screen size for every test: Wine may keep the size of an earlier test's screen or
# desktop for the next program of the prefix (a window cut to a 1000 x 700 desktop of the
# start test was seen). 1280 x 1024 holds the main window whole at 144 dpi.
start_xvfb 1280x1024 "$dir"
openbox --sm-disable >"$dir/openbox.log" 2>&1 &
OPENBOX_PID=$!
for _ in $(seq 100); do
  grep -q 'window id' <<<"$(xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null)" && break
  sleep 0.05
done
"$@"
