#!/usr/bin/env bash
# The layer rule of the includes (README.md, "Layers"): a file of a product folder includes
# headers of its own folder and of the folders below it only, never of a folder above it,
# and neither editor includes the other. The program's state headers (those that declare a
# non-const extern object) are included by the screens and app/ only: the code below them
# takes what it works on as parameters. Prints every include that breaks a rule (file, line,
# include) and fails when there is one.
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
  [analysis]="files gamedata ui render"
  [app]="files gamedata ui render leveledit chunkedit analysis"
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
# State headers: an `extern` line that declares an object (not a function, not const).
state_headers=()
for header in */*.h; do
  case ${header%%/*} in files|gamedata|ui|render|leveledit|chunkedit|analysis|app) ;; *) continue ;; esac
  if grep -E '^[[:space:]]*extern[[:space:]]' "$header" | grep -v -E 'extern[[:space:]]+(const|constexpr|"C")' |
      sed -E 's/<[^;]*>//; s/\(\*&?/ /' | grep -q -v -E '[A-Za-z0-9_][[:space:]]*\('; then
    state_headers+=("$header")
  fi
done
for folder in files gamedata ui render; do
  for file in "$folder"/*.cpp "$folder"/*.h; do
    [ -e "$file" ] || continue
    for header in "${state_headers[@]}"; do
      grep -n -F "#include \"$header\"" "$file" | while IFS=: read -r line include; do
        echo "$file:$line: $include (a state header: only the screens and app/ include it)"
      done | grep . && status=1
    done
  done
done

[ $status -eq 0 ] && echo "layers: every include runs down or stays in its folder; only the screens and app/ include state headers"
exit $status
