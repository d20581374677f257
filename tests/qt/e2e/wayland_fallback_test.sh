#!/usr/bin/env bash
# A Wayland session on a machine without Qt's Wayland platform plugin (qt6-wayland is
# only recommended): the program runs on X11 when an X display opens (XWayland), and
# without one says in one line what to install, with status 1 and no core file. The
# plugin is hidden in a mount namespace of the test's own, where a copy of Qt's platform
# folder without it lies over the real one.
# Usage: wayland_fallback_test.sh path/to/QuarvelEdit QT-PLATFORM-PLUGIN-DIR
set -euo pipefail
APP=$(realpath "${1:?usage: $0 path/to/QuarvelEdit QT-PLATFORM-PLUGIN-DIR}")
PLATFORMS=${2:?usage: $0 path/to/QuarvelEdit QT-PLATFORM-PLUGIN-DIR}
source "$(dirname "$0")/../../support/xvfb.sh"
command -v weston >/dev/null || { echo "FAIL: weston is not installed (scripts/install-deps)" >&2; exit 1; }
ls "$PLATFORMS"/libqwayland*.so >/dev/null 2>&1 || { echo "FAIL: no Wayland plugin in $PLATFORMS to hide" >&2; exit 1; }
TMP=$(mktemp -d /tmp/quarvel-wayland_fallback_test.XXXXXX)
WESTON_PID="" XVFB_PID=""
cleanup() {
  local rc=$?
  [ -n "$WESTON_PID" ] && kill "$WESTON_PID" 2>/dev/null && wait "$WESTON_PID" 2>/dev/null
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
  if [ $rc -eq 0 ]; then rm -rf "$TMP"; else echo "[wayland_fallback_test] failed; files kept in $TMP" >&2; fi
}
trap cleanup EXIT
fail() { echo "FAIL [wayland_fallback_test]: $*" >&2; exit 1; }

mkdir "$TMP/platforms"
for plugin in "$PLATFORMS"/*.so; do
  [[ $(basename "$plugin") == libqwayland* ]] || cp "$plugin" "$TMP/platforms/"
done

export XDG_RUNTIME_DIR="$TMP/runtime" XDG_SESSION_TYPE=wayland
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset DISPLAY QT_QPA_PLATFORM WAYLAND_SOCKET
weston --backend=headless-backend.so --socket=quarvel-test --idle-time=0 >"$TMP/weston.log" 2>&1 &
WESTON_PID=$!
for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/quarvel-test" ] && break; sleep 0.05; done
[ -S "$XDG_RUNTIME_DIR/quarvel-test" ] || { cat "$TMP/weston.log" >&2; fail "weston did not start"; }
export WAYLAND_DISPLAY=quarvel-test

# Runs the program for at most $1 seconds where the plugin is missing; rc holds its status.
# The user namespace lets a user who is not root mount too.
run_without_plugin() {
  rc=0
  ulimit -c unlimited 2>/dev/null || true
  (cd "$TMP" && unshare --map-root-user --mount sh -c 'mount --bind "$1" "$2" && exec timeout "$3" "$4"' \
    sh "$TMP/platforms" "$PLATFORMS" "$1" "$APP") >"$TMP/out" 2>"$TMP/err" || rc=$?
}

# No X display: one line that names the package, status 1.
run_without_plugin 20
[ "$rc" -eq 1 ] || { cat "$TMP/err" >&2; fail "with no X display: status $rc, expected 1"; }
[ "$(wc -l <"$TMP/err")" -eq 1 ] || { cat "$TMP/err" >&2; fail "with no X display: standard error is not one line"; }
grep -q 'install the qt6-wayland package' "$TMP/err" || fail "the line does not name qt6-wayland: $(cat "$TMP/err")"
! ls "$TMP"/core* >/dev/null 2>&1 || fail "left a core file"
echo "[wayland_fallback_test] no X display: $(cat "$TMP/err")"

# With an X display as well: the window opens there, and the program runs until stopped.
start_xvfb 1024x768 "$TMP"
run_without_plugin 8 &
runner=$!
for _ in $(seq 100); do
  [ -n "$(xdotool search --onlyvisible --name '^Quarvel Levels Editor$' 2>/dev/null)" ] && break
  kill -0 "$runner" 2>/dev/null || break
  sleep 0.05
done
[ -n "$(xdotool search --onlyvisible --name '^Quarvel Levels Editor$' 2>/dev/null)" ] ||
  { cat "$TMP/err" >&2; fail "no window on the X display"; }
wait "$runner" || true
echo "[wayland_fallback_test] with an X display the main window opened there: PASS"
