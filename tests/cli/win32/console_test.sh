#!/usr/bin/env bash
# console_test.sh WINE WINDOWS_PROGRAM: names outside ASCII on a console. Run on a terminal
# (script(1) gives it one), Wine gives quarvel-levels.exe a console: standard output and
# standard error must show the names as they are, whatever the console's code page, which
# the program must leave alone.
set -uo pipefail
wine=$1 windows=$(realpath "$2")
if ! command -v script >/dev/null; then
  echo "console_test: needs script(1); skipped"
  exit 77
fi
work=$(mktemp -d "${TMPDIR:-/tmp}/quarvel-console.XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
printf '\0\0\0\0' >"été.dag"
# The terminal's own sequences and CRs out, the lines in.
LANG=C.UTF-8 script -qec "'$wine' '$windows' check été.dag ниво.dag" /dev/null </dev/null |
  sed -e 's/\x1b\[[0-9;?]*[A-Za-z]//g' -e 's/\r//g' >shown
status=0
for line in "été.dag: 0 records, 0 levels used, 0 playable, 0 not playable" \
  "quarvel-levels: ниво.dag: File not found."; do
  if ! grep -qxF "$line" shown; then
    echo "console_test: not shown: $line"
    status=1
  fi
done
[ $status -eq 0 ] || { echo "shown:"; cat shown; }
exit $status
