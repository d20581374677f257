# What the end-to-end scripts share, sourced with $WINE, $PROBE and $RUN (a word naming the
# test) set: a folder of the run's own ($TMP, kept when the run fails), the program's
# process ($APP_PID, ended with the run), the session's dpi (Wine's LogPixels), which a test
# sets for its run and which is given back at the end, fail, probe, winname, and waiting
# for a window to open or to close. A script's
# own clean-up goes in on_exit; PROBE_ARGS go before every probe's command.
TMP=$(mktemp -d "/tmp/quarvel-win32-$RUN.XXXXXX")
APP_PID=""
OK=0
PROBE_ARGS=()
DESKTOP_KEY='HKCU\Control Panel\Desktop'
# A value of the registry, nothing when it is not there.
reg_value() { { "$WINE" reg query "$1" /v "$2" 2>/dev/null || true; } | tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"; }
SAVED_DPI=$(reg_value "$DESKTOP_KEY" LogPixels)
set_dpi() { "$WINE" reg add "$DESKTOP_KEY" /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1; }
# Under set -e: nothing in it may end the script with a failure of its own.
cleanup() {
  [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null
  if declare -F on_exit >/dev/null; then on_exit || true; fi
  if [ -n "$SAVED_DPI" ]; then
    set_dpi "$((SAVED_DPI))" || true
  else
    "$WINE" reg delete "$DESKTOP_KEY" /v LogPixels /f >/dev/null 2>&1 || true
  fi
  if [ "$OK" = 1 ]; then rm -rf "$TMP"; else echo "files kept in $TMP" >&2; fi
}
trap cleanup EXIT
fail() {
  import -window root "$TMP/failure.png" 2>/dev/null || true
  echo "FAIL: $*" >&2
  "$WINE" "$PROBE" "${PROBE_ARGS[@]}" windows >&2 || true
  exit 1
}
probe() { "$WINE" "$PROBE" "${PROBE_ARGS[@]}" "$@" 2>/dev/null | tr -d '\r'; }
# The Windows name of a file.
winname() { echo "Z:${1//\//\\}"; }
source "$(dirname "${BASH_SOURCE[0]}")/painting.sh"

# Waits until the probe lists a top-level window titled $1; prints its line and children.
# The program's taskbar window (TApplication), titled with the program title as the error
# boxes are, is none of them.
wait_window() {
  local title=$1 out
  for _ in $(seq 150); do
    out=$(probe windows | awk -v t="$title" -F'|' '/^window /{show = ($2 == t && $1 != "window TApplication")} show')
    [ -n "$out" ] && { echo "$out"; return 0; }
    sleep 0.1
  done
  fail "no window titled '$title'${DPI:+ at $DPI dpi}"
}
wait_gone() {
  for _ in $(seq 100); do
    probe windows | grep -v '^window TApplication|' | grep -q "^window [^|]*|$1|" || return 0
    sleep 0.1
  done
  fail "window '$1' still open"
}
