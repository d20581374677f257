#!/usr/bin/env bash
# The program as a native Wayland client, in a session with a compositor and no X display:
# a headless weston of the test's own. Weston's headless backend has no window list to
# ask, so the test reads what the program told the compositor (WAYLAND_DEBUG=1): its
# toplevel's app id, title and size limits, fixed at the window's size; and, through the
# dialogs probe, that the window is its menu bar and 477 px high and that the About box and
# an error box are transient for the main window.
# Usage: wayland_test.sh path/to/QuarvelEdit path/to/wayland_dialogs_probe
set -euo pipefail
APP=${1:?usage: $0 path/to/QuarvelEdit path/to/wayland_dialogs_probe}
PROBE=${2:?usage: $0 path/to/QuarvelEdit path/to/wayland_dialogs_probe}
command -v weston >/dev/null || { echo "FAIL: weston is not installed (scripts/install-deps)" >&2; exit 1; }
TMP=$(mktemp -d /tmp/quarvel-wayland_test.XXXXXX)
WESTON_PID="" APP_PID=""
cleanup() {
  local rc=$?
  [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null
  [ -n "$WESTON_PID" ] && kill "$WESTON_PID" 2>/dev/null && wait "$WESTON_PID" 2>/dev/null
  if [ $rc -eq 0 ]; then rm -rf "$TMP"; else echo "[wayland_test] failed; files kept in $TMP" >&2; fi
}
trap cleanup EXIT
fail() { echo "FAIL [wayland_test]: $*" >&2; exit 1; }

export XDG_RUNTIME_DIR="$TMP/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset DISPLAY QT_QPA_PLATFORM QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS WAYLAND_SOCKET
weston --backend=headless-backend.so --socket=quarvel-test --idle-time=0 >"$TMP/weston.log" 2>&1 &
WESTON_PID=$!
for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/quarvel-test" ] && break; sleep 0.05; done
[ -S "$XDG_RUNTIME_DIR/quarvel-test" ] || { cat "$TMP/weston.log" >&2; fail "weston did not start"; }

WAYLAND_DISPLAY=quarvel-test WAYLAND_DEBUG=1 "$APP" >"$TMP/app.log" 2>&1 &
APP_PID=$!
said() { grep -F -- "$1" "$TMP/app.log" | head -n1; }
for _ in $(seq 200); do
  [ -n "$(said '.set_app_id(')" ] && [ -n "$(said '.set_title(')" ] && [ -n "$(said '.set_max_size(')" ] && break
  kill -0 "$APP_PID" 2>/dev/null || fail "the program ended early: $(tail -n 3 "$TMP/app.log")"
  sleep 0.05
done
grep -q 'xdg_wm_base' "$TMP/app.log" || fail "no xdg_wm_base: not a Wayland client"
[ -n "$(said '.set_app_id("org.quarvel.LevelsEditor")')" ] || fail "app id: $(said set_app_id)"
[ -n "$(said '.set_title("Quarvel Levels Editor")')" ] || fail "title: $(said set_title)"
min=$(grep -o 'set_min_size([0-9]*, [0-9]*)' "$TMP/app.log" | head -n1)
max=$(grep -o 'set_max_size([0-9]*, [0-9]*)' "$TMP/app.log" | head -n1)
[ -n "$min" ] && [ "${min#set_min_size}" = "${max#set_max_size}" ] || fail "not fixed in size: $min, $max"
width=$(echo "$min" | sed 's/.*(\([0-9]*\),.*/\1/')
[ "$width" -ge 256 ] || fail "main window $width wide, expected 256 and its frame"
kill "$APP_PID"; wait "$APP_PID" 2>/dev/null || true; APP_PID=""

# The dialogs: each toplevel after the main window's is given it as parent.
WAYLAND_DISPLAY=quarvel-test WAYLAND_DEBUG=1 timeout 30 "$PROBE" >"$TMP/probe.log" 2>&1 ||
  fail "the dialogs probe failed: $(grep -v '^\[' "$TMP/probe.log" | tail -n 3)"
main=$(grep -o 'xdg_surface@[0-9]*\.get_toplevel(new id xdg_toplevel@[0-9]*)' "$TMP/probe.log" | head -n1 | sed 's/.*@\([0-9]*\))$/\1/')
[ -n "$main" ] || fail "the probe made no toplevel"
parented=$(grep -c "xdg_toplevel@[0-9]*\.set_parent(xdg_toplevel@$main)" "$TMP/probe.log" || true)
[ "$parented" -ge 2 ] || fail "$parented of the About box and the error box are transient for the main window"
# The size the compositor was told is the menu bar's, as the program's look draws it, and the
# client area's 256 x 477 below it.
menu=$(sed -n 's/^probe: menu bar \([0-9]*\) px high$/\1/p' "$TMP/probe.log")
size=$(grep -o 'set_min_size([0-9]*, [0-9]*)' "$TMP/probe.log" | head -n1)
[ -n "$menu" ] || fail "the probe did not say how high its menu bar is"
[ "$size" = "set_min_size(256, $((477 + menu)))" ] || fail "main window $size, expected 256 x (477 + $menu)"
echo "[wayland_test] app id, title and fixed size $min (a $menu px menu bar and 477); dialogs transient for the main window: PASS"
