#!/usr/bin/env bash
# The debug symbols package that scripts/package makes beside the package (package_build.sh):
# Debian's -dbgsym fields, and for each program of the package, which is stripped, a .debug
# file named after its build id under /usr/lib/debug/.build-id that holds its debug
# information; nothing else, and lintian finds nothing in it.
# Usage: package_dbgsym_test.sh PACKAGES-DIR VERSION
set -euo pipefail
out=${1:?usage: $0 PACKAGES-DIR VERSION} version=${2:?usage: $0 PACKAGES-DIR VERSION}
source "$(dirname "$0")/installed_files.sh"
tmp=$(mktemp -d /tmp/quarvel-dbgsym.XXXXXX)
trap 'rm -rf "$tmp"' EXIT

arch=$(dpkg --print-architecture)
deb="$out/a/quarvel-levels-editor_${version}_$arch.deb"
ddeb="$out/a/quarvel-levels-editor-dbgsym_${version}_$arch.ddeb"
[ -f "$ddeb" ] || { ls "$out/a" >&2; fail "no quarvel-levels-editor-dbgsym_${version}_$arch.ddeb"; }

while IFS='|' read -r name expected; do
  got=$(dpkg-deb -f "$ddeb" "$name")
  [ "$got" = "$expected" ] || fail "$name is \"$got\", not \"$expected\""
done <<END
Package|quarvel-levels-editor-dbgsym
Version|$version
Architecture|$arch
Section|debug
Priority|optional
Depends|quarvel-levels-editor (= $version)
Auto-Built-Package|debug-symbols
END

dpkg-deb -x "$deb" "$tmp/deb"
dpkg-deb -x "$ddeb" "$tmp/ddeb"
# The names of the sections of the ELF file $1, whole before any grep -q reads them (a
# pipe into grep -q can fail with SIGPIPE under pipefail).
sections() { readelf -W -S "$1" 2>/dev/null | grep -o ' \.[a-z_.]*' | tr -d ' '; }
ids=() programs=()
while IFS= read -r -d '' file; do
  readelf -h "$file" >/dev/null 2>&1 || continue
  program=${file#"$tmp/deb"}
  programs+=("$program")
  ! grep -qx -e '\.symtab' -e '\.debug_.*' <<<"$(sections "$file")" || fail "$program is not stripped"
  id=$(readelf -n "$file" | sed -n 's/^ *Build ID: //p')
  [ -n "$id" ] || fail "$program has no build id"
  debug="$tmp/ddeb/usr/lib/debug/.build-id/${id:0:2}/${id:2}.debug"
  [ -f "$debug" ] || fail "the dbgsym package has no /usr/lib/debug/.build-id/${id:0:2}/${id:2}.debug for $program"
  [ "$(readelf -n "$debug" | sed -n 's/^ *Build ID: //p')" = "$id" ] || fail "the .debug file of $program has another build id"
  grep -qx '\.debug_info' <<<"$(sections "$debug")" || fail "the .debug file of $program holds no debug information"
  ids+=("$id")
done < <(find "$tmp/deb" -type f -print0)
echo "programs: ${programs[*]}"
for program in /usr/bin/QuarvelEdit /usr/bin/quarvel-levels; do
  [[ " ${programs[*]} " == *" $program "* ]] || fail "the package has no program $program"
done

# Build-Ids lists them all, and the package holds their .debug files and nothing else.
listed=$(dpkg-deb -f "$ddeb" Build-Ids | tr ' ' '\n' | sort)
[ "$listed" = "$(printf '%s\n' "${ids[@]}" | sort)" ] || fail "Build-Ids is not the programs' build ids: $listed"
held=$(cd "$tmp/ddeb" && find usr/lib/debug -type f | sort)
expected=$(for id in "${ids[@]}"; do echo "usr/lib/debug/.build-id/${id:0:2}/${id:2}.debug"; done | sort)
[ "$held" = "$expected" ] || fail "the dbgsym package holds other files: $held"

lintian --tag-display-limit 0 "$ddeb" >"$tmp/lintian.log" 2>&1 || true
cat "$tmp/lintian.log"
! grep -q '^[EW]: ' "$tmp/lintian.log" || fail "lintian reports errors or warnings"
echo "PASS"
