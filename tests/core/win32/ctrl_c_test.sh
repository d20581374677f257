#!/usr/bin/env bash
# ctrl_c_test.sh WINE SAVE_LOOP_EXE [close]: Ctrl+C in the middle of saves. save_loop.exe
# saves two full sets in turn over one file; Ctrl+C (SIGINT to the Wine process, which Wine
# hands to the program as CTRL_C_EVENT) comes at a random moment, ten times. Each time the
# program must end as Ctrl+C ends it, the file must hold one set or the other whole, and no
# unfinished copy (set.dag.saving-...) may be left beside it. With `close`, the console is
# closed instead (CTRL_CLOSE_EVENT, which save_loop gives itself at a random moment).
set -uo pipefail
wine=$1 exe=$2 event=${3:-}
work=$(mktemp -d "${TMPDIR:-/tmp}/quarvel-ctrl-c.XXXXXX")
pid=""
trap '[ -n "$pid" ] && kill -9 "$pid" 2>/dev/null; rm -rf "$work"' EXIT
failures=0
for round in $(seq 10); do
  rm -rf "${work:?}/files"
  mkdir "$work/files"
  "$wine" "$exe" "$work/files" $event >"$work/out" 2>"$work/err" &
  pid=$!
  for _ in $(seq 200); do grep -q saving "$work/out" && break; sleep 0.05; done
  if ! grep -q saving "$work/out"; then
    echo "round $round: save_loop did not start: $(cat "$work/err")"
    exit 1
  fi
  if [ -z "$event" ]; then
    sleep "0.$((RANDOM % 300))"
    kill -INT "$pid"
  fi
  ended=no
  for _ in $(seq 100); do
    if ! kill -0 "$pid" 2>/dev/null; then ended=yes; break; fi
    sleep 0.05
  done
  wait "$pid" 2>/dev/null
  status=$?
  pid=""
  # Ended once the save under way is done, by the program itself, with STATUS_CONTROL_C_EXIT
  # (0xC000013A), of which Wine keeps the low byte; between saves by Wine's own handler, with
  # 0 (after a close, by save_loop as by Windows, with the same status). On a loaded machine
  # Wine's server may finish an ending process with SIGKILL (137) before it has exited by
  # itself; the files below are checked all the same.
  if [ $ended = no ] || { [ $status -ne 58 ] && [ $status -ne 0 ] && [ $status -ne 137 ]; }; then
    echo "round $round: ${event:-Ctrl+C} did not end the program (ended: $ended, status $status): $(cat "$work/err")"
    failures=$((failures + 1))
    continue
  fi
  if ! cmp -s "$work/files/set.dag" "$work/files/a.dag" && ! cmp -s "$work/files/set.dag" "$work/files/b.dag"; then
    echo "round $round: set.dag holds neither set"
    failures=$((failures + 1))
  fi
  left=$(cd "$work/files" && ls | grep -v -x -e a.dag -e b.dag -e set.dag)
  if [ -n "$left" ]; then
    echo "round $round: left behind: $left"
    failures=$((failures + 1))
  fi
done
echo "ctrl_c_test${event:+ ($event)}: 10 rounds, $failures failures"
[ "$failures" -eq 0 ]
