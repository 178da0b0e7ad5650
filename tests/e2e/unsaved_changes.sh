#!/usr/bin/env bash
# Edits are never lost nor written over another level's files. Map 01: an object inserted
# in the front and one in the back plane, leaving with Y writes New.lvl and New_back.lvl.
# Map 02: an object inserted, leaving with N; SAVE LEVEL then asks before replacing the
# map-01 files, N keeps them. On disk they hold the imported map-01 planes plus exactly the
# two inserted objects. Escape in the main menu asks about the unsaved map-02 edit.
. "$(dirname "$0")/lib.sh"
make_workspace
[ -f "$WS/master/genesis/glb.bin" ] || fail "no sample ROM image (samplegame not built)"
start_xvfb 1024x768

objects() { layout_object_set "$1"; }
# The message band of a question is black where the menu box has its blue border.
question_shown() { shot "$1"; [ "$(pixel "$1" 186 226)" = "0,0,0" ]; }
running() { kill -0 "$APP_PID" 2>/dev/null; }

# The untouched planes of map 01, from a project of the sample game.
mkdir -p "$WS/proj"
(cd "$WS/proj" && ../mossforge generate-genesis ../master/genesis/glb.bin >/dev/null 2>&1) || fail "generation failed"
FRONT=$(sed -n 's/^map_front = \.\/\(.*\)\r\?$/\1/p' "$WS/proj/levels/level01.gll" | tr -d '\r')
BACK=$(sed -n 's/^map_back = \.\/\(.*\)\r\?$/\1/p' "$WS/proj/levels/level01.gll" | tr -d '\r')
cp "$WS/proj/levels/$FRONT" "$WS/front01.lvl" && cp "$WS/proj/levels/$BACK" "$WS/back01.lvl" || fail "no map-01 layouts"

# Rows of the file selector's list (below the highlighted first one): ink runs separated
# by at least LINE blank pixel rows; prints the number of runs, or 0 when two runs touch.
list_rows() {
  convert "$WS/$1.png" -crop 340x110+150+172 +repage -colorspace gray -scale '1x110!' txt:- |
    awk 'NR > 1 { blank = $3 == "#FFFFFF"
                  if (!blank && gap > 0 && gap < 3 && runs > 0) bad = 1
                  if (!blank && (gap > 0 || NR == 2)) runs++
                  gap = blank ? gap + 1 : 0 }
         END { print bad ? 0 : runs }'
}

start_app
key 1
key Return
wait_message "[01] " 10
sleep 0.3
# The file selector names its command, its rows do not touch, and cancelling it does nothing.
click 250 170  # LOAD LEVEL FROM LVL FILE...
sleep 0.5
move 10 470
sleep 0.3
shot selector
[ "$(list_rows selector)" -ge 5 ] || fail "the selector's rows touch or are missing"
key Escape
sleep 0.4
[ "$(grep -c . "$WS/messages.log")" = 1 ] || fail "a message after cancelling the selector"
click 250 104  # LEVEL EDITOR
move 320 240
click 320 240  # fixes the camera at the origin
key Insert     # front: chunk 0 at x 320 + 16, row 240 / 16 + 1
key Tab
move 200 100
key Insert     # back: x 192 + 16, row 100 / 16 + 1
key Escape
key Escape     # leaving: the layout question names both files
sleep 0.3
key y
wait_message "WROTE New.lvl, New_back.lvl" 10
cp "$WS/New.lvl" "$WS/saved_front.lvl"; cp "$WS/New_back.lvl" "$WS/saved_back.lvl"

click 250 154  # LOAD LEVEL FROM ROM...: nothing unsaved, no question
sleep 0.3
key 2
key Return
wait_message "[02] " 10
sleep 0.3
click 250 104
move 320 240
click 320 240
key Insert
key Escape
key Escape
sleep 0.3
key n          # kept in memory, unsaved
sleep 0.3
click 250 206  # SAVE LEVEL: New.lvl holds map 01
sleep 0.4
question_shown overwrite || fail "no overwrite question before replacing New.lvl"
key n
sleep 0.3
grep -q "WROTE New.lvl\$" "$WS/messages.log" && fail "SAVE LEVEL wrote after N"
cmp -s "$WS/New.lvl" "$WS/saved_front.lvl" && cmp -s "$WS/New_back.lvl" "$WS/saved_back.lvl" ||
  fail "the map-01 files changed"

objects front01.lvl > "$WS/front01.txt"; objects New.lvl > "$WS/new_front.txt"
objects back01.lvl > "$WS/back01.txt"; objects New_back.lvl > "$WS/new_back.txt"
[ "$(diff "$WS/front01.txt" "$WS/new_front.txt" | grep '^[<>]')" = "> 16 0000 336" ] ||
  fail "front plane differs otherwise: $(diff "$WS/front01.txt" "$WS/new_front.txt")"
[ "$(diff "$WS/back01.txt" "$WS/new_back.txt" | grep '^[<>]')" = "> 7 0000 208" ] ||
  fail "back plane differs otherwise: $(diff "$WS/back01.txt" "$WS/new_back.txt")"

# Escape in the main menu with the map-02 edit unsaved: asked; Escape stays, N ends.
key Escape
sleep 0.4
running || fail "Escape ended the program without asking"
question_shown quit || fail "no question before ending"
key Escape
sleep 0.4
running || fail "Escape at the question ended the program"
key Escape
sleep 0.4
key n
wait_app_exit 10
[ "$APP_STATUS" = 0 ] || fail "exit status $APP_STATUS"
echo "ok: map-01 edits saved to New.lvl and New_back.lvl, kept when map 02 was saved with N"
