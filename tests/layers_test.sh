#!/bin/bash
# Layers point down only: each folder of src/ may include itself and the folders below it.
# A lower folder that includes a higher one fails here, before its target links by luck.
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
exit $status
