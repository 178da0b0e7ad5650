#!/usr/bin/env bash
# BLOCK ANALYSIS TOOL in the real window: the menu line opens the grid, a click on a chunk
# lists its levels, a click on a level opens it in the level editor on that chunk's
# placement (H then frames it), and Escape leads back to the main menu.
. "$(dirname "$0")/lib.sh"
make_workspace
start_xvfb 1024x768
start_app
# Takes screenshot NAME until pixel X Y is R,G,B (at most 10 s): the window shows that.
shot_until() {
  local i
  for i in $(seq 1 50); do
    shot "$1"
    [ "$(pixel "$1" "$2" "$3")" = "$4" ] && return 0
    sleep 0.2
  done
  return 1
}
sleep 0.3
key Return          # the world map at start-up: theme 5
wait_message "[00] MAP SCREEN" 10
shot_until menu0 184 100 "0,0,127" || fail "no main menu"
click 200 136       # BLOCK ANALYSIS TOOL
# The status bar across the bottom.
shot_until grid 300 476 "20,28,40" || fail "no status bar: $(pixel grid 300 476)"
key Next            # the next theme the game uses: theme 0
sleep 0.4
click 60 76         # its chunk 0
shot_until chosen 325 73 "24,40,56" || fail "no level list beside the grid: $(pixel chosen 325 73)"
# Pixels of the frames' colour (the yellow ink of texts has it too).
highlight() { convert "$WS/$1.png" -format %c histogram:info:- | awk 'tolower($0) ~ /#ffd040/ {n = $1 + 0} END {print n + 0}'; }
[ "$(highlight chosen)" -gt 0 ] || fail "the chosen chunk is not framed"
click 400 78        # the first level of the list: [03]
wait_message "[03] BUTTERCUP BRIDGE" 10
sleep 0.8
shot editor
key h
sleep 0.3
shot framed
[ "$(highlight framed)" -gt $(( $(highlight editor) + 100 )) ] || fail "H framed no placement of the chunk under the cursor"
key Escape          # the camera was held on the placement: Escape lets it go
sleep 0.3
key Escape          # leaves the level editor
shot_until menu 184 100 "0,0,127" || fail "not back in the main menu: $(pixel menu 184 100)"
key Escape
wait_app_exit 10
[ "$APP_STATUS" = 0 ] || fail "exit status $APP_STATUS"
echo "ok: the analysis grid, the level list, the level editor on the chunk's placement, back to the menu"
