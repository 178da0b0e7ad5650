#!/usr/bin/env bash
# After Ctrl+Z the editing keys act on the object under the cursor, the one the frame and
# panel show. Map 01: a pickup (0801) inserted at one place, another pickup's type changed
# with Plus, then over the inserted one Ctrl+Z takes the type change back and Plus steps the
# inserted pickup to 0802. Saved, the layout holds the imported objects, the first pickup
# unchanged, and the inserted one as 0802: exactly that change, nothing else.
. "$(dirname "$0")/lib.sh"
sample_workspace

start_app
open_map_01_with_a_pickup
enter_level_editor_fixed
# The inserted pickup's place: away from the first one.
PX=600 PY=200
[ $((ICX > 560 && ICY < 240)) = 1 ] && PX=100
move $PX $PY
xdotool keydown ctrl; key Insert; xdotool keyup ctrl  # asks for the object number
sleep 0.3
typetext 0801
key Return
sleep 0.2
move $ICX $ICY
sleep 0.2
key equal        # the first pickup's next type
move $PX $PY
sleep 0.2
key ctrl+z       # takes the type change back; the cursor is over the inserted pickup
sleep 0.2
key equal        # acts on the inserted pickup: 0801 -> 0802
sleep 0.2
shot edited
key Escape
key Escape       # leaving asks to save the layout
sleep 0.3
key y
sleep 0.5
[ -s "$WS/New.lvl" ] || fail "leaving with Y wrote no New.lvl: $(cat "$WS/messages.log")"
CHANGES=$(diff <(layout_object_set orig.lvl) <(layout_object_set New.lvl) | grep '^[<>]')
[ "$(echo "$CHANGES" | wc -l)" = 1 ] && [[ $CHANGES == "> "*" 0802 "* ]] ||
  fail "the saved layout differs by more or other than the inserted pickup 0802: $CHANGES"
key Escape
wait_app_exit 10
[ "$APP_STATUS" = 0 ] || fail "exit status $APP_STATUS"
echo "ok: pickup $CODE at row $ROW x $X unchanged after undo; Plus stepped the inserted pickup (${CHANGES#> })"
