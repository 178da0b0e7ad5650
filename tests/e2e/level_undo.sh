#!/usr/bin/env bash
# Undo in the level editor's real window: on a sample level a pickup's type is changed
# with Plus, the pickup is dragged, a chunk is inserted; three Ctrl+Z take all three
# back, so leaving asks nothing and SAVE LEVEL writes the very bytes of the imported level.
. "$(dirname "$0")/lib.sh"
make_workspace
[ -f "$WS/master/genesis/glb.bin" ] || fail "no sample ROM image (samplegame not built)"
start_xvfb 1024x768

objects() { layout_objects "$1"; }

start_app
open_map_01_with_a_pickup
enter_level_editor_fixed
move $ICX $ICY
sleep 0.3
change_and_drag_the_pickup
move 560 440
key Insert       # a chunk under the cursor
sleep 0.2
shot edited
for i in 1 2 3; do key ctrl+z; done
sleep 0.2
shot undone
lit() { [ "$(convert "$WS/$1.png" -crop "$2x$3+$4+$5" -format '%[fx:maxima]' info:)" != 0 ]; }
lit undone 136 8 128 8 || fail "no UNDO / REDO read-out"
key Escape  # the camera roams again
key Escape  # leaves: nothing changed, so no question
sleep 0.4
shot left
[ "$(pixel left 184 100)" = "0,0,127" ] || fail "leaving after undoing everything did not go straight to the main menu"
click 250 206  # SAVE LEVEL
sleep 0.4
cmp -s "$WS/orig.lvl" "$WS/New.lvl" || fail "the level after three undos differs: $(objects New.lvl | diff "$WS/orig.txt" - | head -5)"
key Escape
wait_app_exit 10
[ "$APP_STATUS" = 0 ] || fail "exit status $APP_STATUS"
echo "ok: type change, drag and insert on pickup $CODE at row $ROW x $X undone by three Ctrl+Z; no question; same bytes saved"
