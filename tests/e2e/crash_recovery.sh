#!/usr/bin/env bash
# Crash recovery in the real window, with snapshots every 2 s (MOSSFORGE_SNAPSHOT_SECONDS).
# Map 01: a chunk cell, a front-plane and a back-plane object edited; a snapshot; kill -9.
# Started again: Y recovers, SAVE LEVEL (both planes) and SAVE CHUNKMAP write exactly the edits;
# a back-plane edit, then SIGTERM writes a snapshot of the back plane alone: the saved one plus
# that edit.
# Started again: N moves it to .recovery/discarded/; the next start asks nothing. A batch
# command leaves a snapshot alone.
. "$(dirname "$0")/lib.sh"
make_workspace
[ -f "$WS/master/genesis/glb.bin" ] || fail "no sample ROM image (samplegame not built)"
DUMP=$BUILD/itmdump
[ -x "$DUMP" ] || fail "itmdump not built"
export MOSSFORGE_SNAPSHOT_SECONDS=2
start_xvfb 1024x768
R=$WS/.recovery

objects() { layout_object_set "$1"; }
# The file the snapshot's manifest names for a part (front, back, chunks).
part() { awk -v k="$1" '$1 == k { print $3 }' "$R/manifest"; }
# Lines only in the second of two sorted object lists.
added() { comm -13 "$1" "$2"; }
ctrl_key() {
  xdotool keydown ctrl; sleep 0.05
  xdotool keydown "$1"; sleep 0.08; xdotool keyup "$1"; sleep 0.05
  xdotool keyup ctrl; sleep 0.1
}
# Ctrl+Insert at the cursor with the object number typed in.
insert_object() { move "$1" "$2"; ctrl_key Insert; sleep 0.2; typetext "$3"; key Return; sleep 0.2; }
saved() { local i; for i in $(seq 1 100); do [ -s "$WS/$1" ] && return 0; sleep 0.05; done; fail "no $1 written"; }

# --- Run 1: edits, a snapshot, kill -9.
start_app
key 1; key Return
wait_message "[01] GREEN MEADOWS" 10
sleep 0.3
[ -e "$R" ] && fail "a snapshot before any edit"
click 250 206; saved New.lvl; mv "$WS/New.lvl" "$WS/orig.lvl"    # SAVE LEVEL
click 200 241; saved New.itm; mv "$WS/New.itm" "$WS/orig.itm"    # SAVE CHUNKMAP
click 200 123; sleep 0.3                                         # CHUNKMAP EDITOR
key slash; key 1; key Return; sleep 0.2; key Return; sleep 0.3    # tile 1
move 40 40; sleep 0.2; click 40 40; sleep 0.3                   # cell (2, 2): the block selector
key slash; key 3; key 7; key Return; sleep 0.2; key Return; sleep 0.3   # block 37
key Escape; sleep 0.3; key y; sleep 0.3                          # keep the change
key Escape; sleep 0.4                                            # main menu
click 250 104; sleep 0.4                                         # LEVEL EDITOR
move 320 240; sleep 0.2; click 320 240                           # the camera stays
insert_object 200 150 801
key Tab
insert_object 264 150 802
sleep 3.5
[ -f "$R/manifest" ] || fail "no snapshot after 3.5 s of unsaved edits"
grep -q '^origin = rom$' "$R/manifest" && grep -q '^number = 1$' "$R/manifest" || fail "manifest origin: $(cat "$R/manifest")"
for p in front back chunks; do [ -n "$(part $p)" ] || fail "no $p part in the snapshot"; done
kill -9 "$APP_PID"; wait "$APP_PID" 2>/dev/null; APP_PID=""
cp "$R/$(part back)" "$WS/back1.lvl"
objects "$WS/back1.lvl" > "$WS/back1.txt"
[ "$(grep -c ' 0802 ' "$WS/back1.txt")" = 1 ] || fail "the back-plane edit is not in the snapshot"

# A batch command neither reads nor writes snapshots.
before=$(ls -lR --time-style=full-iso "$R")
(cd "$WS" && ./mossforge render 1 r.png >/dev/null 2>&1) || fail "render failed"
[ "$(ls -lR --time-style=full-iso "$R")" = "$before" ] || fail "a batch command touched the snapshot"

# --- Run 2: Y, the saves, then a back-plane edit and SIGTERM.
: > "$WS/messages.log"
start_app
sleep 0.5
shot question
key y
wait_message "[01] GREEN MEADOWS" 10
sleep 0.3
click 250 206; saved New.lvl
click 200 241; saved New.itm
# Everything saved: the snapshot goes.
for i in $(seq 1 40); do [ -e "$R/manifest" ] || break; sleep 0.05; done
[ -e "$R/manifest" ] && fail "the snapshot stayed after SAVE LEVEL and SAVE CHUNKMAP"
objects "$WS/orig.lvl" > "$WS/orig.txt"
objects "$WS/New.lvl" > "$WS/new.txt"
[ "$(wc -l < "$WS/new.txt")" = $(($(wc -l < "$WS/orig.txt") + 1)) ] || fail "SAVE LEVEL: not exactly one object more"
added "$WS/orig.txt" "$WS/new.txt" | grep -q ' 0801 ' || fail "SAVE LEVEL: the front-plane edit is missing"
objects "$WS/New_back.lvl" | cmp -s - "$WS/back1.txt" || fail "SAVE LEVEL: the back plane is not the recovered one"
"$DUMP" "$WS/orig.itm" | grep -E '^[0-9]+ ' > "$WS/orig.cells"
"$DUMP" "$WS/New.itm" | grep -E '^[0-9]+ ' > "$WS/new.cells"
diffs=$(paste -d'\n' "$WS/orig.cells" "$WS/new.cells" | awk '
  NR % 2 == 1 { split($0, a, " "); next }
  { n = split($0, b, " "); for (i = 1; i <= n; i++) if (a[i] != b[i]) print a[1], i - 4, b[i] }')
set -- $diffs
[ $# = 3 ] && [ "$1" = 1 ] && [ "$2" = 34 ] && [ $((16#$3 & 0x1FF)) = 37 ] || fail "SAVE CHUNKMAP: not exactly chunk 1 cell 34 = block 37: $diffs"
click 250 104; sleep 0.4
move 320 240; sleep 0.2; click 320 240
key Tab
insert_object 328 150 803
kill -TERM "$APP_PID"
wait_app_exit 10
objects "$R/$(part back)" > "$WS/back2.txt"
[ "$(added "$WS/back1.txt" "$WS/back2.txt" | grep -c .)" = 1 ] && [ "$(wc -l < "$WS/back2.txt")" = $(($(wc -l < "$WS/back1.txt") + 1)) ] &&
  added "$WS/back1.txt" "$WS/back2.txt" | grep -q ' 0803 ' || fail "SIGTERM snapshot: back plane is not the recovered one plus the edit"
[ -z "$(part front)" ] || fail "SIGTERM snapshot: holds the front plane that SAVE LEVEL wrote"

# --- Run 3: N sets the snapshot aside.
: > "$WS/messages.log"
start_app
sleep 0.5
key n
sleep 0.3
key 1; key Return
wait_message "[01] GREEN MEADOWS" 10
[ -f "$R/manifest" ] && fail "N left the snapshot in place"
ls "$R"/discarded/*/manifest >/dev/null 2>&1 || fail "N did not move the snapshot to .recovery/discarded/"
sleep 0.3
key Escape
wait_app_exit 10

# --- Run 4: nothing to recover, no question: Return answers the map prompt.
: > "$WS/messages.log"
start_app
sleep 0.3
key Return
wait_message "[00] MAP SCREEN" 10
sleep 0.3
key Escape
wait_app_exit 10
[ "$APP_STATUS" = 0 ] || fail "exit status $APP_STATUS"
[ -f "$R/manifest" ] && fail "a snapshot after a clean quit"

# --- Run 5: a front-plane edit, then SIGHUP before any snapshot was due: the signal writes one.
export MOSSFORGE_SNAPSHOT_SECONDS=600
: > "$WS/messages.log"
start_app
sleep 0.3
key 1; key Return
wait_message "[01] GREEN MEADOWS" 10
sleep 0.3
click 250 104; sleep 0.4
move 320 240; sleep 0.2; click 320 240
insert_object 200 150 804
[ -e "$R/manifest" ] && fail "a snapshot before it was due"
kill -HUP "$APP_PID"
wait_app_exit 10
[ -f "$R/manifest" ] && [ -n "$(part front)" ] || fail "SIGHUP wrote no snapshot of the front plane"
objects "$R/$(part front)" | grep -q ' 0804 ' || fail "the SIGHUP snapshot lacks the edit"
echo "ok: recovered front, back and chunk edits after kill -9; SIGTERM and SIGHUP wrote snapshots; N set one aside"
