#!/usr/bin/env bash
# CHUNKMAP EDITOR end to end: pick tile 1, place block 37 flipped (key 2) on cell (3, 4)
# through the block selector, undo and redo it, keep it with Y, save the chunkmap from the
# menu, and check that the saved .itm differs from the one saved before in exactly that cell.
. "$(dirname "$0")/lib.sh"
make_workspace
[ -f "$WS/master/genesis/glb.bin" ] || fail "no sample ROM image (samplegame not built)"
DUMP=$BUILD/itmdump
[ -x "$DUMP" ] || fail "itmdump not built"
start_xvfb 1024x768
start_app
sleep 0.4
key Return                      # map 0
wait_message "[00] MAP SCREEN" 10
sleep 0.3

# Main menu lines (x 200): CHUNKMAP EDITOR at y 123, SAVE CHUNKMAP at y 241.
save_chunkmap() {
  rm -f "$WS/New.itm"
  click 200 241
  local i
  for i in $(seq 1 100); do [ -s "$WS/New.itm" ] && return 0; sleep 0.05; done
  fail "SAVE CHUNKMAP wrote no New.itm"
}
save_chunkmap
mv "$WS/New.itm" "$WS/before.itm"

ctrl_key() {
  xdotool keydown ctrl ${2:-}; sleep 0.05
  xdotool keydown "$1"; sleep 0.08; xdotool keyup "$1"; sleep 0.05
  xdotool keyup ctrl ${2:-}; sleep 0.1
}
same_cell() { [ "$(compare -metric AE -crop 16x16+48+64 "$WS/$1.png" "$WS/$2.png" null: 2>&1)" = 0 ]; }

click 200 123                   # CHUNKMAP EDITOR
sleep 0.3
shot tiles
key slash; key 1; key Return    # GO TO tile 1
sleep 0.2
key Return                      # edit it
sleep 0.3
move 56 72                      # cell (3, 4) at zoom 0
sleep 0.2
shot before
click 56 72                     # ROAMING: one click opens the block selector
sleep 0.3
shot selector
key slash; key 3; key 7; key Return   # GO TO block 37
key 2                           # FLI: flipped vertically
sleep 0.2
shot selector37
key Return                      # take it
sleep 0.3
move 56 72
sleep 0.2
shot placed
same_cell before placed && fail "cell (3, 4) did not change"
ctrl_key z
sleep 0.2
shot undone
same_cell before undone || fail "undo did not restore cell (3, 4)"
ctrl_key z shift
sleep 0.2
shot redone
same_cell placed redone || fail "redo did not bring block 37 back"
key Escape                      # end the pass: the save question
sleep 0.3
shot question
key y
sleep 0.3
shot back_in_tiles
key Escape                      # back to the main menu
sleep 0.3
save_chunkmap
key Escape
wait_app_exit 10
[ "$APP_STATUS" = 0 ] || fail "exit status $APP_STATUS"

# One line per chunk (the unpacking traces on stdout are left out).
"$DUMP" "$WS/before.itm" > "$WS/before.raw" || fail "before.itm does not decode"
"$DUMP" "$WS/New.itm" > "$WS/after.raw" || fail "New.itm does not decode"
grep -E '^[0-9]+ ' "$WS/before.raw" > "$WS/before.txt"
grep -E '^[0-9]+ ' "$WS/after.raw" > "$WS/after.txt"
[ -s "$WS/before.txt" ] || fail "before.itm holds no chunks"
[ "$(wc -l < "$WS/before.txt")" = "$(wc -l < "$WS/after.txt")" ] || fail "the chunk count changed"
# Exactly one word differs: chunk 1, cell 67 (row 4, column 3), now block 37 with bit 12
# toggled and the other attribute bits kept.
diffs=$(paste -d'\n' "$WS/before.txt" "$WS/after.txt" | awk '
  NR % 2 == 1 { split($0, a, " "); next }
  { n = split($0, b, " "); for (i = 1; i <= n; i++) if (a[i] != b[i]) print a[1], i - 4, a[i], b[i] }')
[ "$(echo "$diffs" | grep -c .)" = 1 ] || fail "expected one changed cell, got: $diffs"
set -- $diffs
[ "$1" = 1 ] && [ "$2" = 67 ] || fail "the change is not chunk 1 cell 67: $diffs"
old=$((16#$3)) new=$((16#$4))
[ $(( new & 0x1FF )) = 37 ] || fail "cell 67 holds block $(( new & 0x1FF )), not 37"
[ $(( new & 0xFE00 )) = $(( (old & 0xFE00) ^ 0x1000 )) ] || fail "attribute bits not as set: $3 -> $4"
echo "ok: tile 1 cell (3, 4) changed from $3 to $4 through the selector, undo and redo, kept and saved"
