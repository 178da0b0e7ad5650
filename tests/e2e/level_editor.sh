#!/usr/bin/env bash
# The level editor in the real window. On the sample world map: markers drawn, the wheel
# zooms, Escape leaves without a question. On a sample level: a pickup is selected with a
# click, changed with Plus and dragged 32 pixels; leaving asks about the layout, Y saves it,
# and the saved .lvl holds exactly that change. The status bar is lit and leaves the level
# picture above it as the render command draws it.
. "$(dirname "$0")/lib.sh"
make_workspace
[ -f "$WS/master/genesis/glb.bin" ] || fail "no sample ROM image (samplegame not built)"
start_xvfb 1024x768

objects() { layout_objects "$1"; }
# Whether any pixel of the area W x H at (X, Y) of a screenshot is not black.
lit() { [ "$(convert "$WS/$1.png" -crop "$2x$3+$4+$5" -format '%[fx:maxima]' info:)" != 0 ]; }
wheel() { xdotool click "$1"; sleep 0.1; }

# --- The world map.
start_app
key Return
wait_message "[00] MAP SCREEN" 10
sleep 0.3
click 250 104  # LEVEL EDITOR
sleep 0.4
move 320 240  # the centre of the central box: the camera stays at the origin
sleep 0.3
shot map
wheel 4
wheel 4
sleep 0.4
shot map_zoomed
differing=$(compare -metric AE "$WS/map.png" "$WS/map_zoomed.png" null: 2>&1 | cut -d' ' -f1)
[ "${differing%.*}" -gt 20000 ] || fail "the wheel did not zoom the map ($differing pixels changed)"
# The zoom read-out: "ZOOM:" at (16, 8) and 125 % after two notches.
lit map_zoomed 40 8 16 8 || fail "no zoom read-out"
key Escape
sleep 0.4
shot map_left
[ "$(pixel map_left 184 100)" = "0,0,127" ] || fail "Escape did not go back to the main menu"
key Escape
wait_app_exit 10
[ "$(grep -c . "$WS/messages.log")" = 1 ] || fail "a question or message on leaving the unchanged map"

# --- A level.
: > "$WS/messages.log"
start_app
open_map_01_with_a_pickup
enter_level_editor_fixed
# The status bar in the bottom 10 rows: light text on the dark bar, changed by F4 (snap)
# while the picture above it stays as it was; and the level there is the picture the render
# command draws (background shown with Ctrl+Tab, the cursor parked at the bar's right end;
# the object panel at the top and the icons' hex codes, which the render leaves out, are
# outside the compared area, like the zoom read-out of the top rows).
xdotool keydown ctrl; sleep 0.05; key Tab; xdotool keyup ctrl; sleep 0.05
move 630 476
sleep 0.3
shot level_status
bright() { convert "$WS/$1.png" -crop 600x10+0+470 -fx 'r > 0.7 ? 1 : 0' -format '%[fx:int(mean * w * h)]' info:; }
[ "$(bright level_status)" -gt 200 ] || fail "no status text in the bottom strip ($(bright level_status) light pixels)"
[ "$(pixel level_status 636 471)" = "20,28,40" ] || fail "no status bar colour at the strip's end"
key F4
sleep 0.3
shot level_status_snap
changed() { compare -metric AE -extract "$1" "$WS/level_status.png" "$WS/level_status_snap.png" null: 2>&1 | cut -d' ' -f1; }
[ "$(changed 600x10+0+470)" != 0 ] || fail "F4 did not change the status bar"
[ "$(changed 610x446+0+24)" = 0 ] || fail "the picture above the status bar changed with it ($(changed 610x446+0+24) pixels)"
key F4
(cd "$WS" && ./mossforge render 1 level_render.png >/dev/null 2>&1) || fail "render of map 1 failed"
convert "$WS/level_render.png" -crop 290x340+0+130 +repage "$WS/render_crop.png"
convert "$WS/level_status.png" -crop 290x340+0+130 +repage "$WS/status_crop.png"
differing=$(compare -metric AE "$WS/render_crop.png" "$WS/status_crop.png" null: 2>&1 | cut -d' ' -f1)
[ "$differing" = 0 ] || fail "the level above the status bar differs from its rendering ($differing pixels)"
xdotool keydown ctrl; sleep 0.05; key Tab; xdotool keyup ctrl; sleep 0.05
move 320 240
wheel 4
wheel 4
sleep 0.3
shot level_zoomed
wheel 5
wheel 5
sleep 0.3
move $ICX $ICY
sleep 0.3
shot level_hover
lit level_hover 96 8 256 25 || fail "no object panel over the pickup"
change_and_drag_the_pickup
shot level_dragged
key Escape  # the camera roams again
key Escape  # leaves: the layout question
sleep 0.3
shot question
key y
sleep 0.5
key Escape
wait_app_exit 10
[ "$APP_STATUS" = 0 ] || fail "exit status $APP_STATUS"
[ -s "$WS/New.lvl" ] || fail "Y did not save the layout"
objects New.lvl > "$WS/new.txt"

NEW_CODE=$(printf '%04X' $((0x$CODE + 1)))
NEW_X=$(((X + 32) & ~15))
expected="$ROW $INDEX $NEW_CODE $NEW_X"
changes=$(diff "$WS/orig.txt" "$WS/new.txt" | grep '^[<>]')
[ "$changes" = "< $ROW $INDEX $CODE $X
> $expected" ] || fail "saved layout differs otherwise: $changes"
[ "$(grep . "$WS/messages.log")" = "[01] GREEN MEADOWS
WROTE New.lvl
WROTE New.lvl" ] || fail "unexpected messages"
echo "ok: world map zoomed and left; pickup $CODE at row $ROW x $X became $NEW_CODE at x $NEW_X and was saved"
