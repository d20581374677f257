#!/usr/bin/env bash
# cmake --install into a temporary DESTDIR puts every file of the editor in place; the
# desktop entry and the AppStream metadata pass their validators; each icon (the program's
# and its level sets') is the size its folder names, and the large ones are whole-pixel
# blow-ups of the 32 x 32 picture.
# Usage: install_tree_test.sh BUILD-DIR APP-ID
set -euo pipefail
build=${1:?usage: $0 BUILD-DIR APP-ID} id=${2:?usage: $0 BUILD-DIR APP-ID}
source "$(dirname "$0")/installed_files.sh"
tmp=$(mktemp -d /tmp/quarvel-install.XXXXXX)
trap 'rm -rf "$tmp"' EXIT

stage_install "$build" "$tmp/root" /usr
usr="$tmp/root/usr"
for file in $(installed_files "$id"); do
  [ -f "$usr/$file" ] || fail "the install has no /usr/$file"
done
[ -x "$usr/bin/QuarvelEdit" ] || fail "/usr/bin/QuarvelEdit is not executable"
# quarvel-levels links no Qt library, drawing included (render and thumbnail draw with the
# core), and brings no helper program of its own.
libraries=$(ldd "$usr/bin/quarvel-levels")
! grep -q 'libQt' <<<"$libraries" || fail "/usr/bin/quarvel-levels links Qt: $libraries"
[ ! -e "$usr/libexec/quarvel-levels" ] || fail "the install has a /usr/libexec/quarvel-levels"

desktop="$usr/share/applications/$id.desktop"
desktop-file-validate "$desktop" || fail "desktop-file-validate rejects $id.desktop"
for line in "Name=Quarvel Levels Editor" "Exec=QuarvelEdit" "Icon=$id"; do
  grep -qxF "$line" "$desktop" || fail "$id.desktop has no line $line"
done
grep -q '^StartupWMClass=.' "$desktop" || fail "$id.desktop names no StartupWMClass"
# The editor opens no file it is given: its entry claims no file type.
! grep -q '^MimeType=' "$desktop" || fail "$id.desktop claims a MimeType"

# The metadata passes appstreamcli's strict validation, but for the one note appstreamcli
# 0.16 (Debian 12) makes on AppStream 1.0's <developer>, a tag younger than it.
metainfo="$usr/share/metainfo/$id.metainfo.xml"
if ! appstreamcli validate --no-net --strict "$metainfo" >"$tmp/appstream.log" 2>&1; then
  cat "$tmp/appstream.log"
  developer='^I: [^ ]*: unknown-tag developer$'
  others=$(grep -E '^[EWI]: ' "$tmp/appstream.log" | grep -v "$developer" || true)
  [ -z "$others" ] && grep -q "$developer" "$tmp/appstream.log" || fail "appstreamcli rejects $id.metainfo.xml"
fi
grep -qF "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
  fail "the metadata does not launch $id.desktop"
for provided in "<binary>QuarvelEdit</binary>" "<binary>quarvel-levels</binary>" \
                "<mediatype>application/x-quarvel-level-set</mediatype>"; do
  grep -qF "$provided" "$metainfo" || fail "the metadata does not provide $provided"
done
summary=$(sed -n 's|^ *<summary>\(.*\)</summary>$|\1|p' "$metainfo")
[ -n "$summary" ] && [ ${#summary} -lt 35 ] ||
  fail "the summary \"$summary\" is not one a software centre shows whole (under 35 characters)"

icons="$usr/share/icons/hicolor"
for icon in "apps/$id" mimetypes/application-x-quarvel-level-set; do
  for size in 16 24 32 48 64 128 256; do
    got=$(identify -format '%wx%h' "$icons/${size}x${size}/$icon.png")
    [ "$got" = "${size}x${size}" ] || fail "the ${size}x${size} $icon icon is $got"
  done
  for size in 64 128 256; do
    convert "$icons/32x32/$icon.png" -sample "${size}x${size}" "$tmp/expected.png"
    compare -metric AE "$tmp/expected.png" "$icons/${size}x${size}/$icon.png" null: 2>/dev/null ||
      fail "the ${size}x${size} $icon icon is not the 32 x 32 one with each pixel made a $((size / 32)) x $((size / 32)) block"
  done
done

# Any prefix: nothing points at /usr.
stage_install "$build" "$tmp/opt" /opt/quarvel
[ -x "$tmp/opt/opt/quarvel/bin/QuarvelEdit" ] || fail "no bin/QuarvelEdit under the prefix /opt/quarvel"
[ -f "$tmp/opt/opt/quarvel/share/applications/$id.desktop" ] || fail "no desktop entry under the prefix /opt/quarvel"
echo "PASS"
