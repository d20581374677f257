# shellcheck shell=bash
# Wine for the Windows build's tests, tools and benchmarks, set up alike by every script.
# shellcheck source=scripts/lib/at_exit.sh
source "$(dirname "${BASH_SOURCE[0]}")/at_exit.sh"

# wine_env: Wine quiet (WINEDEBUG), and kept from offering to install Mono and Gecko and
# from writing menu entries (WINEDLLOVERRIDES).
wine_env() {
  export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
}

# wine_prefix DIR: Wine in a prefix of its own, DIR/prefix, with DIR/home as HOME (Wine
# links the prefix's user folders to those of $HOME): nothing is written under your home
# folder. Booted once and waited for, since first starts in parallel race and fail; a
# prefix booted before is used as it is.
wine_prefix() {
  local dir=$1
  mkdir -p "$dir/home"
  export WINEPREFIX="$dir/prefix" HOME="$dir/home"
  unset XDG_CONFIG_HOME XDG_DATA_HOME XDG_CACHE_HOME XDG_STATE_HOME
  wine_env
  [ -f "$WINEPREFIX/system.reg" ] && return 0
  if ! { wineboot -i && wineserver -w; } >"$dir/wineboot.log" 2>&1; then
    cat "$dir/wineboot.log" >&2
    echo "$(basename "$0"): wineboot failed" >&2
    exit 1
  fi
}

# wine_private_prefix: wine_prefix in a fresh temporary folder, whose Wine server is ended
# and which is removed when the script ends.
wine_private_prefix() {
  local dir
  dir=$(mktemp -d "${TMPDIR:-/tmp}/quarvel-wine.XXXXXX")
  at_exit "wine_remove_prefix '$dir'"
  wine_prefix "$dir"
}

# wine_remove_prefix DIR: ends the Wine server of wine_prefix DIR, waits for it, removes DIR.
wine_remove_prefix() {
  WINEPREFIX="$1/prefix" wineserver -k 2>/dev/null || true
  WINEPREFIX="$1/prefix" wineserver -w 2>/dev/null || true
  rm -rf "$1"
}
