#!/usr/bin/env bash
# Started with no display to open, the editor says so in one line on standard error and
# ends with status 1: no abort, no core file. A platform that needs no display
# (offscreen) is left alone.
# Usage: no_display_test.sh QUARVELEDIT
set -euo pipefail
editor=$(realpath "${1:?usage: $0 path/to/QuarvelEdit}")
source "$(dirname "$0")/installed_files.sh"
tmp=$(mktemp -d /tmp/quarvel-no-display.XXXXXX)
trap 'rm -rf "$tmp"' EXIT
cd "$tmp"
ulimit -c unlimited 2>/dev/null || true

# Runs the editor with no display but the settings given as NAME=VALUE arguments.
run_editor() {
  rc=0
  env -u DISPLAY -u WAYLAND_DISPLAY -u WAYLAND_SOCKET -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$tmp" "$@" \
    timeout 20 "$editor" >"$tmp/out" 2>"$tmp/err" || rc=$?
}

expect_refusal() {
  local what=$1
  shift
  run_editor "$@"
  [ "$rc" -eq 1 ] || { cat "$tmp/err" >&2; fail "$what: status $rc, expected 1"; }
  [ "$(wc -l <"$tmp/err")" -eq 1 ] || { cat "$tmp/err" >&2; fail "$what: standard error is not one line"; }
  grep -q 'needs a graphical display' "$tmp/err" || { cat "$tmp/err" >&2; fail "$what: the line does not say a display is needed"; }
  [ ! -s "$tmp/out" ] || fail "$what: wrote to standard output"
  ! ls "$tmp"/core* >/dev/null 2>&1 || fail "$what: left a core file"
  echo "$what: $(cat "$tmp/err")"
}

expect_refusal "neither DISPLAY nor WAYLAND_DISPLAY"
# An X display number nothing serves.
n=4000
while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
expect_refusal "DISPLAY=:$n with no server" DISPLAY=":$n"
expect_refusal "QT_QPA_PLATFORM=xcb with no server" DISPLAY=":$n" QT_QPA_PLATFORM=xcb
expect_refusal "WAYLAND_DISPLAY with no compositor" WAYLAND_DISPLAY=wayland-quarvel-none

# offscreen needs no display: the editor starts and runs until stopped.
rc=0
env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$tmp" \
  timeout 3 "$editor" >"$tmp/out" 2>"$tmp/err" || rc=$?
[ "$rc" -eq 124 ] || { cat "$tmp/err" >&2; fail "under QT_QPA_PLATFORM=offscreen the editor ended with status $rc"; }
echo "PASS"
