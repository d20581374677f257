#!/usr/bin/env bash
# CPack makes the Debian package from the build tree: it is named for its version and
# architecture, holds every installed file, depends on the Qt libraries it links, and
# lintian finds no error in it (its warnings are printed).
# Usage: package_test.sh BUILD-DIR APP-ID
set -euo pipefail
build=${1:?usage: $0 BUILD-DIR APP-ID} id=${2:?usage: $0 BUILD-DIR APP-ID}
source "$(dirname "$0")/installed_files.sh"
tmp=$(mktemp -d /tmp/quarvel-package.XXXXXX)
trap 'rm -rf "$tmp"' EXIT

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$tmp" >"$tmp/cpack.log" 2>&1 ||
  { cat "$tmp/cpack.log" >&2; fail "cpack failed"; }
debs=("$tmp"/quarvel-levels-editor_[0-9]*_"$(dpkg --print-architecture)".deb)
[ -f "${debs[0]}" ] || { ls "$tmp" >&2; fail "no quarvel-levels-editor_VERSION_ARCH.deb"; }
deb=${debs[0]}
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes"

dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./||' >"$tmp/contents"
for file in $(installed_files "$id"); do
  grep -qxF "usr/$file" "$tmp/contents" || fail "the package has no /usr/$file"
done
depends=$(dpkg-deb -f "$deb" Depends)
[[ "$depends" == *libqt6widgets6* ]] || fail "the package does not depend on libqt6widgets6: $depends"

lintian --tag-display-limit 0 "$deb" >"$tmp/lintian.log" 2>&1 || true
cat "$tmp/lintian.log"
! grep -q '^E: ' "$tmp/lintian.log" || fail "lintian reports errors"
echo "PASS"
