#!/usr/bin/env bash
# cmake --install puts both manual pages in place alike, gzip'd without a name or a time
# (-n); each carries the release date and the version in its .TH line, names the other
# program with its section under SEE ALSO, and man renders it without a warning.
# Usage: man_pages_test.sh BUILD-DIR VERSION RELEASE-DATE
set -euo pipefail
usage="usage: $0 BUILD-DIR VERSION RELEASE-DATE"
build=${1:?$usage} version=${2:?$usage} date=${3:?$usage}
source "$(dirname "$0")/installed_files.sh"
tmp=$(mktemp -d /tmp/quarvel-man.XXXXXX)
trap 'rm -rf "$tmp"' EXIT

stage_install "$build" "$tmp/root" /usr
while read -r program other; do
  page="$tmp/root/usr/share/man/man1/$program.1.gz"
  [ -f "$page" ] || fail "the install has no /usr/share/man/man1/$program.1.gz"
  # The gzip header: magic, deflate, no flags (so no name), time 0.
  [ "$(od -An -tx1 -N8 "$page" | tr -d ' \n')" = 1f8b080000000000 ] || fail "$program.1.gz is not gzip -n"
  gzip -dc "$page" >"$tmp/$program.1"

  th=$(grep '^\.TH ' "$tmp/$program.1")
  [[ $th == *" \"$date\" "* && $th == *" $version\" "* ]] || fail "$program.1's .TH has not the date $date and version $version: $th"
  grep -qxF ".BR ${other//-/\\-} (1)," <<<"$(sed -n '/^\.SH SEE ALSO/,/^\.SH /p' "$tmp/$program.1")" ||
    fail "$program.1's SEE ALSO does not name $other (1)"

  LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$page" >"$tmp/$program.txt" 2>"$tmp/$program.err" ||
    { cat "$tmp/$program.err"; fail "man cannot show $program.1"; }
  [ ! -s "$tmp/$program.err" ] || { cat "$tmp/$program.err"; fail "man warns about $program.1"; }
  grep -q "$version.*$date" <<<"$(tail -n 1 "$tmp/$program.txt")" || fail "man shows no version and date at the foot of $program.1"
done <<END
QuarvelEdit quarvel-levels
quarvel-levels QuarvelEdit
END
echo "PASS"
