#!/bin/bash
# Start to first paint and peak memory of the Win32 editor under Wine, against a bare
# Win32 window program (bare_window.exe) in the same run, each started RUNS times:
#   start_bench.sh WINE QUARVELEDIT.EXE BARE_WINDOW.EXE WINDOW_PROBE.EXE [RUNS]
# Run it on a display (tests/win32/on_display.sh start_bench.sh ...) in a Wine prefix made
# by wineboot. "Painted" is when the window system lists the window visible with its
# client area; memory is the Wine process's peak resident size (VmHWM) once it stands.
set -euo pipefail
WINE=$1 APP=$2 BARE=$3 PROBE=$4 RUNS=${5:-5}
"$WINE" "$PROBE" windows >/dev/null 2>&1  # Wine's server and its first start, out of the count

measure() {  # measure EXE TITLE: prints "MILLISECONDS KILOBYTES"
  local exe=$1 title=$2 t0 t1 pid kb
  t0=$(date +%s%N)
  "$WINE" "$exe" >/dev/null 2>&1 &
  pid=$!
  until xdotool search --onlyvisible --name "^${title}\$" >/dev/null 2>&1; do sleep 0.005; done
  t1=$(date +%s%N)
  sleep 1
  kb=$(awk '/VmHWM/ {print $2}' "/proc/$pid/status" 2>/dev/null || echo 0)
  kill "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null || true
  echo "$(((t1 - t0) / 1000000)) $kb"
}
median() { sort -n | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}'; }

declare -A ms kb
for name in editor bare; do ms[$name]=""; kb[$name]=""; done
for _ in $(seq "$RUNS"); do
  read -r m k < <(measure "$APP" "Quarvel Levels Editor")
  ms[editor]+="$m"$'\n'; kb[editor]+="$k"$'\n'
  read -r m k < <(measure "$BARE" "Bare Window")
  ms[bare]+="$m"$'\n'; kb[bare]+="$k"$'\n'
done
for name in editor bare; do
  echo "$name: start to first paint $(median <<<"${ms[$name]%$'\n'}") ms, peak memory $(median <<<"${kb[$name]%$'\n'}") KiB (median of $RUNS)"
done
