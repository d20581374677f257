#!/bin/bash
# Layers point down only: each folder of src/ may include itself and the folders below it.
# A lower folder that includes a higher one fails here, before its target links by luck.
# And the operating system stays behind its doors: a system's own header (unistd.h,
# fcntl.h, sys/*.h, signal.h, windows.h, xcb, X11 ...) is included only in a platform
# folder, one named for its system (files/posix, files/win32, desktop/x11 ...).
set -u
src=${1:?usage: layers_test.sh SRC_DIR}
declare -A below=(
  [model]="model"
  [files]="model files"
  [picture]="model picture"
  [editor]="model files editor"
  [painting]="model files picture painting"
  [desktop]="model files desktop"
  [widgets]="model files picture painting desktop editor widgets"
  [windows]="model files picture painting desktop editor widgets windows"
  [app]="model files picture painting desktop editor widgets windows app"
  [win32]="model files picture editor win32"
  [cli]="model files picture cli"
  [web]="model files picture editor web"
)
status=0
for folder in "$src"/*/; do
  name=$(basename "$folder")
  if [[ -z ${below[$name]+set} ]]; then
    echo "src/$name: a folder this test does not know; give it its place in the layers"
    status=1
    continue
  fi
  while IFS=: read -r file line include; do
    used=${include#*\"}
    used=${used%%/*}
    if [[ " ${below[$name]} " != *" $used "* ]]; then
      echo "${file#"$src"/}:$line: src/$name includes src/$used, a layer above it or beside it"
      status=1
    fi
  done < <(grep -rn --include='*.h' --include='*.cpp' '^#include "[a-z]*/' "$folder")
done

platforms="posix win32 x11 linux"
system_header='^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]((unistd|fcntl|signal|dirent|dlfcn|pwd|grp|poll|termios|pthread|windows|winsock2|io|aclapi|shlobj|shellapi)\.h|(sys|xcb|X11|linux|wayland-[a-z]*)/|wayland-[a-z-]*\.h)'
while IFS=: read -r file line include; do
  where=${file#"$src"/}
  inside=
  for platform in $platforms; do
    [[ /$where == */$platform/* ]] && inside=$platform
  done
  if [[ -z $inside ]]; then
    echo "src/$where:$line: ${include#"${include%%[![:space:]]*}"}: a system's own header outside a platform folder ($platforms)"
    status=1
  fi
done < <(grep -rnE --include='*.h' --include='*.cpp' "$system_header" "$src")
exit $status
