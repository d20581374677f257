# start_xvfb SIZE DIR: starts an X server of the test's own (Xvfb, SIZE as 1024x768, its log
# in DIR/xvfb.log), exports DISPLAY and sets XVFB_PID once the server answers a client.
#
# The display number is drawn at random from a high range, and one that any server uses, here
# or in the abstract socket namespace the machine may share with other sessions, is passed by:
# Xvfb's own choice (-displayfd) starts at :0, where a client can reach another session's
# server first and be refused.
start_xvfb() {
  local size=$1 dir=$2 n attempt i
  for attempt in $(seq 20); do
    n=$((100 + RANDOM % 800))
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    grep -qa "@/tmp/.X11-unix/X$n\$" /proc/net/unix 2>/dev/null && continue
    # -noreset: a server whose last client leaves resets and refuses clients for a moment,
    # and here the check below is its first and last client before the program.
    Xvfb ":$n" -screen 0 "${size}x24" -nolisten tcp -noreset >"$dir/xvfb.log" 2>&1 &
    XVFB_PID=$!
    for i in $(seq 100); do
      kill -0 "$XVFB_PID" 2>/dev/null || break  # lost the number to another server: draw again
      if DISPLAY=":$n" xprop -root >/dev/null 2>&1; then
        export DISPLAY=":$n"
        return 0
      fi
      sleep 0.05
    done
    kill "$XVFB_PID" 2>/dev/null; wait "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=""
  done
  cat "$dir/xvfb.log" >&2
  echo "FAIL: no Xvfb could be started" >&2
  exit 1
}
