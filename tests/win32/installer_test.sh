#!/bin/bash
# The Windows installer under Wine: installed silently (/S) for the user, its files, Start
# menu shortcut and uninstall entry checked, then uninstalled silently, with nothing left.
#   installer_test.sh WINE SETUP.EXE
# Runs in the Wine prefix of WINEPREFIX (made by wineboot).
set -euo pipefail
WINE=$1 SETUP=$2
fail() { echo "FAIL: $*" >&2; exit 1; }
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\QuarvelLevelsEditor'
unix() { "$WINE" winepath -u "$1" 2>/dev/null | tr -d '\r'; }
appdata=$(unix "$("$WINE" cmd /c echo %LOCALAPPDATA% 2>/dev/null | tr -d '\r')")
programs=$(unix "$("$WINE" cmd /c echo %APPDATA% 2>/dev/null | tr -d '\r')")/Microsoft/Windows/Start\ Menu/Programs
dir="$appdata/Programs/Quarvel Levels Editor"

"$WINE" "$SETUP" /S
wineserver -w
for file in QuarvelEdit.exe quarvel-levels.exe README.txt LICENSE.txt Uninstall.exe; do
  [ -f "$dir/$file" ] || fail "$dir/$file was not installed"
done
[ -f "$programs/Quarvel Levels Editor.lnk" ] || fail "no Start menu shortcut in $programs"
# The command-line program runs from where it was installed, with nothing beside it.
version=$("$WINE" "$dir/quarvel-levels.exe" --version 2>&1) || fail "the installed quarvel-levels.exe fails: $version"
[[ $version == "quarvel-levels "[0-9]* ]] || fail "the installed quarvel-levels.exe says '$version'"
entry=$("$WINE" reg query "$key" 2>/dev/null | tr -d '\r')
for value in "DisplayName    REG_SZ    Quarvel Levels Editor" "Publisher    REG_SZ    The Quarvel developers" \
  "DisplayVersion    REG_SZ    " "EstimatedSize    REG_DWORD    0x"; do
  grep -qF "$value" <<<"$entry" || fail "the uninstall entry lacks '$value': $entry"
done

"$WINE" "$dir/Uninstall.exe" /S
# The uninstaller runs a copy of itself from the temporary folder and returns at once.
for _ in $(seq 100); do [ -e "$dir" ] || break; sleep 0.1; done
wineserver -w
[ ! -e "$dir" ] || fail "left behind: $(ls -A "$dir")"
[ ! -e "$programs/Quarvel Levels Editor.lnk" ] || fail "the shortcut was left behind"
if "$WINE" reg query "$key" >/dev/null 2>&1; then fail "the uninstall entry was left behind"; fi
echo PASS
