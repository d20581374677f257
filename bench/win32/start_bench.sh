#!/bin/bash
# Start to first paint and peak memory of the Win32 editor under Wine, against two bare
# Win32 window programs in the same run, each started RUNS times:
# - bare_window_themed.exe, the fair yardstick: the editor's manifest, common controls 6
#   loaded, as every themed Win32 program has them;
# - bare_window.exe, with no manifest: the floor of any window under Wine.
#   start_bench.sh WINE QUARVELEDIT.EXE BARE_WINDOW.EXE BARE_WINDOW_THEMED.EXE WINDOW_PROBE.EXE [RUNS]
# Run it on a display (tests/win32/on_display.sh start_bench.sh ...) in a Wine prefix made
# by wineboot. "Painted" is when the window system lists the window visible with its
# client area; memory is the Wine process's peak resident size (VmHWM) once it stands.
set -euo pipefail
WINE=$1 APP=$2 BARE=$3 THEMED=$4 PROBE=$5 RUNS=${6:-5}
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

names=(editor themed bare)
declare -A exe=([editor]=$APP [themed]=$THEMED [bare]=$BARE)
declare -A title=([editor]="Quarvel Levels Editor" [themed]="Bare Themed Window" [bare]="Bare Window")
declare -A ms kb
for name in "${names[@]}"; do ms[$name]=""; kb[$name]=""; done
# In turn, so that a slower spell of the machine falls on all three alike.
for _ in $(seq "$RUNS"); do
  for name in "${names[@]}"; do
    read -r m k < <(measure "${exe[$name]}" "${title[$name]}")
    ms[$name]+="$m"$'\n'; kb[$name]+="$k"$'\n'
  done
done
declare -A ms_median kb_median
for name in "${names[@]}"; do
  ms_median[$name]=$(median <<<"${ms[$name]%$'\n'}")
  kb_median[$name]=$(median <<<"${kb[$name]%$'\n'}")
  echo "$name: start to first paint ${ms_median[$name]} ms, peak memory ${kb_median[$name]} KiB (median of $RUNS)"
done
for name in themed bare; do
  awk -v em="${ms_median[editor]}" -v ek="${kb_median[editor]}" -v m="${ms_median[$name]}" -v k="${kb_median[$name]}" \
    -v name="$name" 'BEGIN {printf "editor over %s: start %.2f x, peak memory %.2f x (%+.1f MiB)\n", name, em / m, ek / k, (ek - k) / 1024}'
done
