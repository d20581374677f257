#!/usr/bin/env bash
# quarvel-levels.exe's check under Wine against cmd's type under Wine, in one run:
#   check_bench.sh WINE QUARVEL_LEVELS_EXE DAG_FIXTURE_EXE [RUNS]
# Times `check` of one full level set (256 playable levels, 75,780 bytes) and of 1,000
# such sets in one command, and `cmd /c type` of the same files: of 1,000 through a batch
# file of 1,000 type commands, since Wine's type takes no wildcard and cmd no line that
# long. Wine's type writes a file only up to its first zero byte (the fourth of a level
# set): it is the floor of starting a Windows program under Wine that opens the files.
# Runs RUNS times each (15 by default), interleaved in random order, and prints the medians
# and their ratios. Wine's process start dominates: the ratio is a figure to watch, not a
# mark to pass. Run in a Wine prefix made by wineboot (scripts/bench-windows makes one).
set -euo pipefail
wine=$1 exe=$(realpath "$2") fixture=$(realpath "$3") runs=${4:-15}
work=$(mktemp -d "${TMPDIR:-/tmp}/quarvel-check-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"

level="60 2 1 1 0 0,0=1 1,0=2 2,0=3 3,0=4"
levels=()
for _ in $(seq 256); do levels+=("$level"); done
"$wine" "$fixture" full.dag "${levels[@]}"
[ "$(stat -c %s full.dag)" = 75780 ] || { echo "check_bench: full.dag is not 75,780 bytes" >&2; exit 1; }
mkdir many
for i in $(seq -w 1 1000); do cp full.dag "many/set$i.dag"; done
(cd many && ls) | sed 's|^|@type many\\|; s|$|\r|' >types.bat
# The measured commands must work: check passes every set, type shows each one's header.
# (Into files, not pipes: a Wine program that starts Wine's own services hands them its
# standard streams, and a pipe would wait for them to end.)
"$wine" "$exe" check many/*.dag >check.out
"$wine" cmd /c types.bat >type.out
[ "$(grep -c ': 256 records, 256 levels used, 256 playable' check.out)" = 1000 ] ||
  { echo "check_bench: check of the 1,000 sets failed" >&2; exit 1; }
[ "$(grep -o DAG type.out | wc -l)" = 1000 ] || { echo "check_bench: type of the 1,000 sets failed" >&2; exit 1; }

# run NAME COMMAND...: one timed run, in microseconds, appended to NAME.times.
run() {
  local name=$1 start end
  shift
  start=$(date +%s%N)
  "$@" >/dev/null 2>&1 || true
  end=$(date +%s%N)
  echo $(((end - start) / 1000)) >>"$name.times"
}
for _ in $(seq "$runs"); do
  for name in $(printf '%s\n' check1 type1 check1000 type1000 | shuf); do
    case $name in
      check1) run check1 "$wine" "$exe" check full.dag ;;
      type1) run type1 "$wine" cmd /c type full.dag ;;
      check1000) run check1000 "$wine" "$exe" check many/*.dag ;;
      type1000) run type1000 "$wine" cmd /c types.bat ;;
    esac
  done
done
median() { sort -n "$1.times" | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : int((v[NR / 2] + v[NR / 2 + 1]) / 2)}'; }
awk -v c1="$(median check1)" -v t1="$(median type1)" -v c1000="$(median check1000)" -v t1000="$(median type1000)" \
  -v runs="$runs" 'BEGIN {
  printf "Under Wine, medians of %d runs (milliseconds):\n", runs
  printf "  check of 1 set:       %8.1f   cmd /c type of it:   %8.1f   ratio %.2f\n", c1 / 1000, t1 / 1000, c1 / t1
  printf "  check of 1,000 sets:  %8.1f   cmd /c type of them: %8.1f   ratio %.2f\n", c1000 / 1000, t1000 / 1000, c1000 / t1000
}'
