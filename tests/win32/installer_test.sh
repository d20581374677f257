#!/bin/bash
# The Windows installer under Wine, on a display (on_display.sh): refused by a Windows older
# than the least version; installed silently (/S) for the user, its files, Start menu
# shortcut and uninstall entry checked; while the installed editor or quarvel-levels runs,
# installing again and uninstalling both refuse with status 2 and change nothing; once it
# has ended, uninstalled silently, with nothing left.
#   installer_test.sh WINE SETUP.EXE
# Runs in the Wine prefix of WINEPREFIX (made by wineboot).
set -euo pipefail
WINE=$1 SETUP=$2
TMP=$(mktemp -d /tmp/quarvel-win32-installer.XXXXXX)
APP_PID=""
cleanup() {
  [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null
  rm -rf "$TMP"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\QuarvelLevelsEditor'
unix() { "$WINE" winepath -u "$1" 2>/dev/null | tr -d '\r'; }
local_appdata=$("$WINE" cmd /c echo %LOCALAPPDATA% 2>/dev/null | tr -d '\r')
appdata=$(unix "$local_appdata")
programs=$(unix "$("$WINE" cmd /c echo %APPDATA% 2>/dev/null | tr -d '\r')")/Microsoft/Windows/Start\ Menu/Programs
dir="$appdata/Programs/Quarvel Levels Editor"
win_dir="$local_appdata\\Programs\\Quarvel Levels Editor"
has_entry() { "$WINE" reg query "$key" >/dev/null 2>&1; }
# The installed files, each with its time: the same list again means none was written.
files() { find "$dir" -type f -printf '%P %T@ %s\n' | sort; }

# On Windows older than Windows 7 SP1 (Wine's version for this one program): status 2 and
# nothing installed.
for version in winxp64 vista win2008; do
  cp "$SETUP" "$TMP/old-windows-setup.exe"
  "$WINE" reg add 'HKCU\Software\Wine\AppDefaults\old-windows-setup.exe' /v Version /d "$version" /f >/dev/null 2>&1
  status=0
  "$WINE" "$TMP/old-windows-setup.exe" /S || status=$?
  [ "$status" = 2 ] || fail "on $version the installer ends with status $status"
  [ ! -e "$dir" ] && ! has_entry || fail "on $version the installer installed something"
done
"$WINE" reg delete 'HKCU\Software\Wine\AppDefaults\old-windows-setup.exe' /f >/dev/null 2>&1

"$WINE" "$SETUP" /S
wineserver -w
for file in QuarvelEdit.exe quarvel-levels.exe README.txt LICENSE.txt Uninstall.exe; do
  [ -f "$dir/$file" ] || fail "$dir/$file was not installed"
done
[ -f "$programs/Quarvel Levels Editor.lnk" ] || fail "no Start menu shortcut in $programs"
# The Windows users' own readme, not the repository's, with Windows' line ends.
grep -q "^Quarvel Levels Editor for Windows"$'\r'"$" "$dir/README.txt" || fail "README.txt is not the Windows readme"
grep -q "Windows 7 SP1" "$dir/README.txt" || fail "README.txt names no least Windows"
# The command-line program runs from where it was installed, with nothing beside it.
version=$("$WINE" "$dir/quarvel-levels.exe" --version 2>&1) || fail "the installed quarvel-levels.exe fails: $version"
[[ $version == "quarvel-levels "[0-9]* ]] || fail "the installed quarvel-levels.exe says '$version'"
entry=$("$WINE" reg query "$key" 2>/dev/null | tr -d '\r')
for value in "DisplayName    REG_SZ    Quarvel Levels Editor" "Publisher    REG_SZ    The Quarvel developers" \
  "DisplayVersion    REG_SZ    " "EstimatedSize    REG_DWORD    0x"; do
  grep -qF "$value" <<<"$entry" || fail "the uninstall entry lacks '$value': $entry"
done

# While a program of the folder runs: the editor, or quarvel-levels waiting for a set on
# its standard input (a FIFO this script holds open). Running means its program file is
# mapped into the process. The uninstaller is run as it runs itself from a copy (_?=,
# unquoted, last), so that its status is its own; cmd reads the line as written.
printf '"%s\\Uninstall.exe" /S _?=%s\r\n' "$win_dir" "$win_dir" >"$appdata/quarvel-uninstall.bat"
mkfifo "$TMP/stdin"
exec 7<>"$TMP/stdin"
before=$(files)
mapped_dir=$(realpath "$dir")  # as /proc names it, past the prefix's drive links
for program in QuarvelEdit.exe quarvel-levels.exe; do
  case $program in
    QuarvelEdit.exe) "$WINE" "$dir/$program" </dev/null >/dev/null 2>&1 & ;;
    quarvel-levels.exe) "$WINE" "$dir/$program" check - <&7 >/dev/null 2>&1 & ;;
  esac
  APP_PID=$!
  for _ in $(seq 600); do grep -qF "$mapped_dir/$program" "/proc/$APP_PID/maps" 2>/dev/null && break; sleep 0.1; done
  grep -qF "$mapped_dir/$program" "/proc/$APP_PID/maps" || fail "the installed $program did not start"
  for run in install uninstall; do
    status=0
    case $run in
      install) "$WINE" "$SETUP" /S >/dev/null 2>&1 || status=$? ;;
      uninstall) "$WINE" cmd /c "$local_appdata\\quarvel-uninstall.bat" >/dev/null 2>&1 || status=$? ;;
    esac
    [ "$status" = 2 ] || fail "$run while $program runs: status $status"
    [ "$(files)" = "$before" ] || fail "$run while $program runs changed the files: $(diff <(echo "$before") <(files))"
    [ -f "$programs/Quarvel Levels Editor.lnk" ] && has_entry || fail "$run while $program runs removed the shortcut or entry"
  done
  kill "$APP_PID"
  wait "$APP_PID" 2>/dev/null || true
  APP_PID=""
done
exec 7>&-
rm "$appdata/quarvel-uninstall.bat"

"$WINE" "$dir/Uninstall.exe" /S
# The uninstaller runs a copy of itself from the temporary folder and returns at once.
for _ in $(seq 100); do [ -e "$dir" ] || break; sleep 0.1; done
wineserver -w
[ ! -e "$dir" ] || fail "left behind: $(ls -A "$dir")"
[ ! -e "$programs/Quarvel Levels Editor.lnk" ] || fail "the shortcut was left behind"
if has_entry; then fail "the uninstall entry was left behind"; fi
echo PASS
