#!/usr/bin/env bash
# The level set type, installed by `cmake --install` and registered with
# update-mime-database in a data folder of its own, is what GIO (GNOME's file managers) and
# Qt (KDE's) give a level set, by its content: a .dag level set, a level set under another
# name and an empty set are level sets; files named .dag that are not (text, other bytes, a
# picture) are not. The type has its comment, its icon and its generic icon.
# Usage: file_type_test.sh BUILD-DIR APP-ID DAG-FIXTURE MIME-TYPE-PROBE
set -euo pipefail
build=${1:?usage: $0 BUILD-DIR APP-ID DAG-FIXTURE MIME-TYPE-PROBE} id=${2:?} dag_fixture=${3:?} probe=${4:?}
source "$(dirname "$0")/installed_files.sh"
tmp=$(mktemp -d /tmp/quarvel-file-type.XXXXXX)
trap 'rm -rf "$tmp"' EXIT
type=application/x-quarvel-level-set

stage_install "$build" "$tmp/root" /usr
share="$tmp/root/usr/share"
# (XDG_DATA_DIRS: else it notes that applications will not look there)
XDG_DATA_DIRS="$share" update-mime-database "$share/mime" >"$tmp/update.log" 2>&1 ||
  { cat "$tmp/update.log" >&2; fail "update-mime-database failed"; }
[ ! -s "$tmp/update.log" ] || { cat "$tmp/update.log" >&2; fail "update-mime-database complained"; }
grep -qxF "$type" "$share/mime/types" || fail "the database holds no $type"
grep -qF '<comment>Quarvel level set</comment>' "$share/mime/$type.xml" || fail "$type has no comment"
grep -qxF "$type:x-office-document" "$share/mime/generic-icons" || fail "$type has no generic icon"
[ -f "$share/icons/hicolor/48x48/mimetypes/${type//\//-}.png" ] || fail "no icon named after $type"

files="$tmp/files"
mkdir "$files" "$tmp/home"
"$dag_fixture" "$files/pack.dag" "60 0 1 0 0 0,0=1 5,6=7"
cp "$files/pack.dag" "$files/pack-backup"
"$dag_fixture" "$files/empty-set.dag"
printf 'level notes, not a level set\n' >"$files/notes.dag"
printf 'DAG\001 not quite\000\001\002\003' >"$files/almost.dag"
cp "$share/icons/hicolor/16x16/apps/$id.png" "$files/picture.dag"
expected() {
  case $1 in pack.dag | pack-backup | empty-set.dag) echo "$type" ;; *) echo "not $type" ;; esac
}

# Each file's type by GIO and by Qt, from the installed database and the system's own, with
# no user database and nothing else of the environment.
names=(pack.dag pack-backup empty-set.dag notes.dag almost.dag picture.dag)
in_data_dirs() { env -i XDG_DATA_DIRS="$share:/usr/share" XDG_DATA_HOME="$tmp/home" GIO_USE_VFS=local "$@"; }
qt_types=$(cd "$files" && in_data_dirs "$probe" "${names[@]}")
status=0
for i in "${!names[@]}"; do
  name=${names[$i]}
  gio_type=$(in_data_dirs gio info -a standard::content-type "$files/$name" | sed -n 's/^ *standard::content-type: //p')
  qt_type=$(sed -n "$((i + 1))p" <<<"$qt_types")
  want=$(expected "$name")
  for got in "gio:$gio_type" "Qt:$qt_type"; do
    if [ "$want" = "$type" ] && [ "${got#*:}" = "$type" ]; then continue; fi
    if [ "$want" != "$type" ] && [ -n "${got#*:}" ] && [ "${got#*:}" != "$type" ]; then continue; fi
    echo "FAIL: $name is ${got#*:} to ${got%%:*}, expected $want" >&2
    status=1
  done
  echo "$name: gio $gio_type, Qt $qt_type"
done
[ "$status" -eq 0 ] || exit 1
echo "PASS"
