#!/usr/bin/env bash
# Builds the Debian packages as a packager would, with scripts/package, twice from the same
# source, for the package tests to look at and compare: in OUT-DIR/a with SOURCE_DATE_EPOCH
# unset (scripts/package takes the commit's time), and in OUT-DIR/elsewhere/b, a folder at
# another depth, given the commit's time. The folders are made anew each time.
# Usage: package_build.sh SOURCE-DIR OUT-DIR
set -euo pipefail
src=${1:?usage: $0 SOURCE-DIR OUT-DIR} out=${2:?usage: $0 SOURCE-DIR OUT-DIR}
source "$(dirname "$0")/installed_files.sh"

rm -rf "$out"
mkdir -p "$out"
epoch=$(git -C "$src" log -1 --format=%ct 2>/dev/null || true)
for build in a elsewhere/b; do
  log="$out/${build//\//-}.log"
  if [ "$build" = a ]; then unset SOURCE_DATE_EPOCH; else export SOURCE_DATE_EPOCH=$epoch; fi
  "$src/scripts/package" "$out/$build" >"$log" 2>&1 || { tail -n 40 "$log" >&2; fail "scripts/package failed"; }
done
ls "$out"/a/*.*deb "$out"/elsewhere/b/*.*deb
