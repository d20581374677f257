#!/usr/bin/env bash
# Two builds of the packages from the same source, in folders at different depths
# (package_build.sh), give the same bytes, and every time in them, of the ar members and
# of the files in the control and data archives, is the commit's.
# Usage: package_reproducible_test.sh SOURCE-DIR PACKAGES-DIR
set -euo pipefail
src=${1:?usage: $0 SOURCE-DIR PACKAGES-DIR} out=${2:?usage: $0 SOURCE-DIR PACKAGES-DIR}
source "$(dirname "$0")/installed_files.sh"
tmp=$(mktemp -d /tmp/quarvel-reproducible.XXXXXX)
trap 'rm -rf "$tmp"' EXIT

# The time in each member header of the ar archive $1 (8 bytes of magic, then 60-byte
# headers: name 16, time 12, ..., size 10 at 48; members padded to an even size).
ar_times() {
  local offset=8 size header length
  size=$(stat -c %s "$1")
  while [ "$offset" -lt "$size" ]; do
    header=$(dd if="$1" iflag=skip_bytes,count_bytes skip="$offset" count=60 status=none)
    echo ${header:16:12}
    length=$(echo ${header:48:10})
    offset=$((offset + 60 + length + length % 2))
  done
}

packages=$(cd "$out/a" && ls -- *.deb *.ddeb)
[ "$(echo "$packages" | wc -l)" -eq 2 ] || fail "not two packages in $out/a: $packages"
for package in $packages; do
  a="$out/a/$package" b="$out/elsewhere/b/$package"
  if ! cmp "$a" "$b"; then
    dpkg-deb -R "$a" "$tmp/a" || true
    dpkg-deb -R "$b" "$tmp/b" || true
    diff -r "$tmp/a" "$tmp/b" | head -n 40 || true
    fail "$package differs between the two builds"
  fi
done

epoch=$(git -C "$src" log -1 --format=%ct 2>/dev/null) || { echo "PASS (no git: the times are not checked)"; exit 0; }
stamp=$(date -d "@$epoch" '+%Y-%m-%d %H:%M:%S')
for package in $packages; do
  for time in $(ar_times "$out/a/$package"); do
    [ "$time" = "$epoch" ] || fail "$package has an ar member of time $time, not the commit's, $epoch"
  done
  { dpkg-deb --ctrl-tarfile "$out/a/$package" | tar --full-time -tv
    dpkg-deb --fsys-tarfile "$out/a/$package" | tar --full-time -tv; } >"$tmp/members"
  others=$(awk -v stamp="$stamp" '$4 " " $5 != stamp' "$tmp/members")
  [ -z "$others" ] || fail "$package holds files whose time is not the commit's, $stamp: $others"
done
echo "PASS"
