#!/usr/bin/env bash
# The installed editor starts from its installed path on a bare X server (Xvfb), shows
# its main window with the WM_CLASS the desktop entry's StartupWMClass names (so a dock
# groups the window under the launcher's icon), and ends with status 0 when the window
# is closed the way a window manager closes it.
# Usage: installed_editor_test.sh BUILD-DIR APP-ID WM-CLOSE
# (WM-CLOSE: the tool of tests/qt/e2e that asks a window to close as a window manager does)
set -euo pipefail
build=${1:?usage: $0 BUILD-DIR APP-ID WM-CLOSE} id=${2:?} wm_close=${3:?}
source "$(dirname "$0")/installed_files.sh"
tmp=$(mktemp -d /tmp/quarvel-installed-editor.XXXXXX)
app_pid="" xvfb_pid=""
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$tmp"
}
trap cleanup EXIT
show_log() { [ -s "$tmp/app.log" ] && { echo "--- program output:" >&2; cat "$tmp/app.log" >&2; }; }

[ -x "$wm_close" ] || fail "$wm_close is not an executable"
stage_install "$build" "$tmp/root" /usr

source "$(dirname "$0")/../support/xvfb.sh"
start_xvfb 1024x768 "$tmp"
xvfb_pid=$XVFB_PID
export XDG_RUNTIME_DIR="$tmp/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY QT_STYLE_OVERRIDE QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS

(cd "$tmp" && exec "$tmp/root/usr/bin/QuarvelEdit") >"$tmp/app.log" 2>&1 &
app_pid=$!
window=$(timeout 15 xdotool search --sync --onlyvisible --name '^Quarvel Levels Editor$' 2>/dev/null | head -n1) || true
[ -n "$window" ] || { show_log; fail "the installed editor showed no window titled Quarvel Levels Editor"; }

# WM_CLASS(STRING) = "instance", "class": the dock matches the class against StartupWMClass.
wm_class=$(xprop -id "$window" WM_CLASS)
class=$(echo "$wm_class" | sed -n 's/^WM_CLASS(STRING) = "[^"]*", "\([^"]*\)"$/\1/p')
startup=$(sed -n 's/^StartupWMClass=//p' "$tmp/root/usr/share/applications/$id.desktop")
[ -n "$class" ] || fail "odd WM_CLASS: $wm_class"
[ "$class" = "$startup" ] || fail "the window's class is '$class', the desktop entry's StartupWMClass '$startup'"

"$wm_close" "$window" || fail "could not ask the main window to close"
for _ in $(seq 200); do
  kill -0 "$app_pid" 2>/dev/null || break
  sleep 0.05
done
kill -0 "$app_pid" 2>/dev/null && { show_log; fail "the editor still runs 10 s after its window was closed"; }
rc=0; wait "$app_pid" || rc=$?
app_pid=""
[ "$rc" -eq 0 ] || { show_log; fail "the editor ended with status $rc"; }
echo "PASS: WM_CLASS class $class, status 0"
