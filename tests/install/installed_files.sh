# The files an install puts under its prefix, one a line, for the desktop entry's id $1.
installed_files() {
  local id=$1 size
  echo bin/QuarvelEdit
  echo bin/quarvel-levels
  echo "share/applications/$id.desktop"
  echo "share/metainfo/$id.metainfo.xml"
  for size in 16 24 32 48 64 128 256; do
    echo "share/icons/hicolor/${size}x${size}/apps/$id.png"
    echo "share/icons/hicolor/${size}x${size}/mimetypes/application-x-quarvel-level-set.png"
  done
  echo "share/mime/packages/$id.xml"
  echo "share/thumbnailers/$id.thumbnailer"
  echo share/man/man1/QuarvelEdit.1.gz
  echo share/man/man1/quarvel-levels.1.gz
  echo share/bash-completion/completions/quarvel-levels
  echo share/doc/quarvel-levels-editor/copyright
  echo share/doc/quarvel-levels-editor/changelog.gz
}

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Installs the build tree $1 under the prefix $3 into the staging folder $2 (DESTDIR).
stage_install() {
  DESTDIR=$2 cmake --install "$1" --prefix "$3" >"$2.log" 2>&1 || { cat "$2.log" >&2; fail "cmake --install $1 failed"; }
}
