#!/usr/bin/env bash
# full_disk_test.sh WINE CORE_TESTS_EXE: the full-disk case of the Windows file tests, on a
# real full disk: a 64 KiB tmpfs, mounted in a mount namespace of its own (so root only;
# skipped otherwise, status 77). Wine's server opens files for its programs, so it must see
# that mount: the test runs in a prefix of its own, the booted one's registry copied and
# its drive C linked, which starts a server of its own inside the namespace.
set -euo pipefail
wine=$1 exe=$2
prefix=${WINEPREFIX:-$HOME/.wine}
if [ "$(id -u)" -ne 0 ] || ! command -v unshare >/dev/null || [ ! -f "$prefix/system.reg" ]; then
  echo "full_disk_test: needs root, unshare and a booted Wine prefix; skipped"
  exit 77
fi
work=$(mktemp -d "${TMPDIR:-/tmp}/quarvel-full-disk.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir "$work/prefix" "$work/disk" "$work/prefix/dosdevices"
cp "$prefix"/*.reg "$work/prefix/"
ln -s "$prefix/drive_c" "$work/prefix/drive_c"
ln -s ../drive_c "$work/prefix/dosdevices/c:"
ln -s / "$work/prefix/dosdevices/z:"
export WINEPREFIX=$work/prefix QUARVEL_FULL_DISK="Z:$work/disk"
unshare -m --propagation private bash -c '
  mount -t tmpfs -o size=64k quarvel-full-disk "$3"
  status=0
  "$1" "$2" --gtest_filter=WindowsFiles.AFullDisk* || status=$?
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  exit $status' full_disk_test "$wine" "$exe" "$work/disk"
