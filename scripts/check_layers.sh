#!/usr/bin/env bash
# The layer rule of the includes (README.md, "Layers"): a file of a product folder includes
# headers of its own folder and of the folders below it only, never of a folder above it,
# and neither editor includes the other. Prints every include that breaks the rule (file,
# line, include) and fails when there is one.
set -uo pipefail
cd "${1:-$(dirname "$0")/..}"

# folder: the folders it may include besides its own.
declare -A may_include=(
  [files]=""
  [gamedata]="files"
  [ui]="files gamedata"
  [render]="files gamedata ui"
  [leveledit]="files gamedata ui render"
  [chunkedit]="files gamedata ui render"
  [app]="files gamedata ui render leveledit chunkedit"
)

status=0
for folder in "${!may_include[@]}"; do
  for file in "$folder"/*.cpp "$folder"/*.h; do
    [ -e "$file" ] || continue
    while IFS=: read -r line include; do
      [[ $include =~ \"([^/\"]+)/ ]] || continue
      target=${BASH_REMATCH[1]}
      [ "$target" = "$folder" ] && continue
      [ -n "${may_include[$target]+set}" ] || continue  # not a product folder (tests/, a system header)
      if [[ " ${may_include[$folder]} " != *" $target "* ]]; then
        echo "$file:$line: ${include#"${include%%[![:space:]]*}"} (${folder}/ may include only: ${may_include[$folder]:-nothing outside it})"
        status=1
      fi
    done < <(grep -n -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^/"]+/' "$file")
  done
done
[ $status -eq 0 ] && echo "layers: every include runs down or stays in its folder"
exit $status
