#!/usr/bin/env bash
# The Debian package that scripts/package made (package_build.sh): its control fields, its
# files, the flags it was compiled with (the distribution's, no -O level or -Werror of the
# project's own), and lintian finds nothing in it.
# Usage: package_test.sh PACKAGES-DIR APP-ID VERSION
set -euo pipefail
usage="usage: $0 PACKAGES-DIR APP-ID VERSION"
out=${1:?$usage} id=${2:?$usage} version=${3:?$usage}
source "$(dirname "$0")/installed_files.sh"
tmp=$(mktemp -d /tmp/quarvel-package.XXXXXX)
trap 'rm -rf "$tmp"' EXIT

arch=$(dpkg --print-architecture)
deb="$out/a/quarvel-levels-editor_${version}_$arch.deb"
[ -f "$deb" ] || { ls "$out/a" >&2; fail "no quarvel-levels-editor_${version}_$arch.deb"; }
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes"

while IFS='|' read -r name expected; do
  got=$(dpkg-deb -f "$deb" "$name")
  [ "$got" = "$expected" ] || fail "$name is \"$got\", not \"$expected\""
done <<END
Package|quarvel-levels-editor
Version|$version
Architecture|$arch
Section|editors
Priority|optional
Maintainer|The Quarvel developers <dev@quarvel.org>
Homepage|https://quarvel.org/
Recommends|qt6-wayland
END
# dpkg-shlibdeps gives each library the package and the least version that has its symbols.
depends=$(dpkg-deb -f "$deb" Depends)
for package in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6; do
  [[ ", $depends" == *", $package (>= "* ]] || fail "Depends has no versioned $package: $depends"
done
grep -qw quarvel-levels <<<"$(dpkg-deb -f "$deb" Description)" || fail "the description does not name quarvel-levels"

dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./||' >"$tmp/contents"
for file in $(installed_files "$id"); do
  grep -qxF "usr/$file" "$tmp/contents" || fail "the package has no /usr/$file"
done

# Compiled with what dpkg-buildflags gives (it maps its own folder, so that flag varies),
# with no optimisation level but its -O2 and without -Werror; linked with its LDFLAGS.
build="$out/a"
grep -qx 'CMAKE_BUILD_TYPE:STRING=None' "$build/CMakeCache.txt" || fail "the package build is not CMAKE_BUILD_TYPE=None"
for target in src/qt/app/CMakeFiles/QuarvelEdit.dir src/cli/CMakeFiles/quarvel-levels.dir; do
  compile=" $(sed -n 's/^CXX_FLAGS = //p' "$build/$target/flags.make") "
  link=" $(cat "$build/$target/link.txt") "
  for flag in $(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS); do
    [[ $flag == -ffile-prefix-map=* || $compile == *" $flag "* ]] || fail "$target is compiled without $flag:$compile"
  done
  for flag in $(dpkg-buildflags --get LDFLAGS); do
    [[ $link == *" $flag "* ]] || fail "$target is linked without $flag:$link"
  done
  levels=$(grep -o ' -O[^ ]*' <<<"$compile" | sort -u | tr -d '\n')
  [ "$levels" = " -O2" ] || fail "$target is compiled with$levels, not -O2 alone:$compile"
  [[ $compile != *" -Werror "* ]] || fail "$target is compiled with -Werror:$compile"
done

lintian --tag-display-limit 0 "$deb" >"$tmp/lintian.log" 2>&1 || true
cat "$tmp/lintian.log"
! grep -q '^[EW]: ' "$tmp/lintian.log" || fail "lintian reports errors or warnings"
echo "PASS"
