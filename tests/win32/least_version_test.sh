#!/bin/bash
# The programs start on the least Windows the README names (Windows 7 SP1): every function
# their import tables name is one that Windows has. MinGW-w64's headers declare each call
# only from the Windows version that brought it, so each imported function is looked up by
# the compiler with _WIN32_WINNT at the least version: one the headers hide there is newer.
# A few calls the headers declare for every version are named below. The C runtime
# (msvcrt.dll) is left out: MinGW-w64 keeps to the part that every Windows has.
#   least_version_test.sh CXX OBJDUMP VERSION EXE...      (VERSION as _WIN32_WINNT: 0x0601)
set -euo pipefail
CXX=$1 OBJDUMP=$2 LEAST=$3
shift 3
fail() { echo "FAIL: $*" >&2; exit 1; }
TMP=$(mktemp -d /tmp/quarvel-least-version.XXXXXX)
trap 'rm -rf "$TMP"' EXIT
# The DLLs of Windows 7 SP1 that programs like these import.
known_dlls=" advapi32.dll comctl32.dll comdlg32.dll gdi32.dll kernel32.dll msvcrt.dll ole32.dll oleacc.dll
  oleaut32.dll shell32.dll shlwapi.dll user32.dll uxtheme.dll version.dll "
# Newer than Windows 7, though MinGW-w64 declares them for every version.
undeclared_newer=" GetSystemTimePreciseAsFileTime GetCurrentThreadStackLimits "

# "DLL FUNCTION" a line, from objdump's import tables.
imports() {
  "$OBJDUMP" -p "$1" | LC_ALL=C awk -F'\t' '
    /DLL Name:/ { sub(/.*DLL Name: /, ""); dll = tolower($0); next }
    dll != "" && NF == 3 && $3 ~ /^ *[0-9]+ +[A-Za-z_]/ { split($3, f, " "); print dll, f[2] }'
}
# The functions of the list that the headers leave undeclared at _WIN32_WINNT=$1.
undeclared() {
  {
    printf '#include <windows.h>\n#include <commctrl.h>\n#include <commdlg.h>\n#include <aclapi.h>\n'
    printf '#include <oleacc.h>\n#include <shellapi.h>\n#include <uxtheme.h>\nvoid Take() {\n'
    sed 's/^\(.*\)$/  (void)\&\1;/' "$TMP/functions"
    printf '}\n'
  } >"$TMP/take.cpp"
  { LC_ALL=C "$CXX" -D_WIN32_WINNT="$1" -DWINVER="$1" -DUNICODE -fsyntax-only -fmax-errors=0 "$TMP/take.cpp" 2>&1 || true; } |
    sed -n "s/.*'\([A-Za-z_0-9]*\)' was not declared.*/\1/p" | sort -u
}

for exe in "$@"; do
  name=$(basename "$exe")
  imports "$exe" >"$TMP/imports"
  [ -s "$TMP/imports" ] || fail "$name: no import table read"
  for dll in $(cut -d' ' -f1 "$TMP/imports" | sort -u); do
    [[ $known_dlls == *" $dll "* ]] || fail "$name imports $dll, which Windows 7 SP1 lacks or this test does not know"
  done
  grep -v '^msvcrt.dll ' "$TMP/imports" | cut -d' ' -f2 | sort -u >"$TMP/functions"
  for function in $(cat "$TMP/functions"); do
    if [[ $undeclared_newer == *" $function "* ]]; then fail "$name imports $function, newer than the least version"; fi
  done
  unknown=$(undeclared 0x0A00)
  [ -z "$unknown" ] || fail "$name imports functions the headers do not declare: $unknown"
  newer=$(undeclared "$LEAST")
  [ -z "$newer" ] || fail "$name imports functions newer than _WIN32_WINNT $LEAST:" $newer
  echo "$name: $(wc -l <"$TMP/functions") functions, all in Windows $LEAST"
done
echo PASS
