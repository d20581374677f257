#!/bin/bash
# Layers point down only: each layer of src/ may include itself and the layers below it.
# A lower folder that includes a higher one fails here, before its target links by luck.
# And the operating system stays behind its doors: a system's own header (unistd.h,
# fcntl.h, sys/*.h, signal.h, windows.h, xcb, X11 ...) is included only in a platform
# folder, one named for its system (files/posix, files/win32, desktop/x11 ...).
set -u
src=${1:?usage: layers_test.sh SRC_DIR}
# A layer is a folder of src/, or of a front end's folder (qt/forms ...); an include names
# its layer by the same path.
declare -A below=(
  [model]="model"
  [files]="model files"
  [picture]="model picture"
  [editor]="model files picture editor"
  [cli]="model files picture cli"
  [qt/painting]="model files picture qt/painting"
  [qt/desktop]="model files editor qt/desktop"
  [qt/widgets]="model files picture editor qt/painting qt/desktop qt/widgets"
  [qt/forms]="model files picture editor qt/painting qt/desktop qt/widgets qt/forms"
  [qt/app]="model files picture editor qt/painting qt/desktop qt/widgets qt/forms qt/app"
  [win32]="model files picture editor win32"
  [web]="model files picture editor web"
)
# Folders that only hold layers.
front_ends=" qt "
layer_of() {  # the layer of an include path or of a folder's path under src/
  local first=${1%%/*} rest=${1#*/}
  if [[ $front_ends == *" $first "* ]]; then echo "$first/${rest%%/*}"; else echo "$first"; fi
}
status=0
folders=()
for folder in "$src"/*/; do
  name=$(basename "$folder")
  if [[ $front_ends == *" $name "* ]]; then
    for inner in "$folder"*/; do folders+=("$name/$(basename "$inner")"); done
  else
    folders+=("$name")
  fi
done
for name in "${folders[@]}"; do
  if [[ -z ${below[$name]+set} ]]; then
    echo "src/$name: a folder this test does not know; give it its place in the layers"
    status=1
    continue
  fi
  while IFS=: read -r file line include; do
    used=${include#*\"}
    used=$(layer_of "${used%/*}/")
    if [[ " ${below[$name]} " != *" $used "* ]]; then
      echo "${file#"$src"/}:$line: src/$name includes src/$used, a layer above it or beside it"
      status=1
    fi
  done < <(grep -rn --include='*.h' --include='*.cpp' '^#include "[a-z0-9]*/' "$src/$name")
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
