#!/usr/bin/env bash
# Builds the Debian package as a packager would, with scripts/package, in OUT-DIR/a, for the
# package tests to look at (the folder is made anew each time).
# Usage: package_build.sh SOURCE-DIR OUT-DIR
set -euo pipefail
src=${1:?usage: $0 SOURCE-DIR OUT-DIR} out=${2:?usage: $0 SOURCE-DIR OUT-DIR}
source "$(dirname "$0")/installed_files.sh"

rm -rf "$out"
mkdir -p "$out"
"$src/scripts/package" "$out/a" >"$out/a.log" 2>&1 || { tail -n 40 "$out/a.log" >&2; fail "scripts/package failed"; }
ls "$out/a"/*.deb "$out/a"/*.ddeb
