#!/usr/bin/env bash
# Groups across levels in the real window. Map 01: three pickups selected with Ctrl+click and
# copied with Ctrl+C; then map 02 imported, Ctrl+V at a known point, leave with Y. The saved
# layout holds map 02's objects and the three pickups, placed relative to the group's top-left
# (smallest row, smallest x) at the row and x where Insert would put an object there.
. "$(dirname "$0")/lib.sh"
sample_workspace

start_app
open_map_01_with_a_pickup
# Three pickups (from as many rows as there are) whose icons lie in view below the panel, none covered by a later object of
# its row (another icon within 16 pixels, or a chunk placement starting at most 256 left).
awk '{ code[$1, $2] = $3; x[$1, $2] = $4; count[$1] = $2 + 1 }
  END {
    for (k in code) {
      split(k, p, SUBSEP); r = p[1]; i = p[2]
      if (substr(code[k], 1, 2) != "08" || x[k] < 40 || x[k] > 600 || 16 * r < 120 || 16 * r > 460) continue
      covered = 0
      for (j = i + 1; j < count[r]; j++) {
        d = x[k] - x[r, j]
        if (substr(code[r, j], 1, 2) == "00" ? d >= 0 && d < 256 : d > -16 && d < 16) covered = 1
      }
      if (!covered) print r, i, code[k], x[k]
    }
  }' "$WS/orig.txt" | sort -n -k1,1 -k2,2 |
  awk '{ print ++n[$1], $0 }' | sort -n -k1,1 -k2,2 | head -3 | cut -d' ' -f2- > "$WS/group.txt"  # rows first
[ "$(grep -c . "$WS/group.txt")" = 3 ] || fail "fewer than three pickups in view: $(cat "$WS/group.txt")"
enter_level_editor_fixed
while read -r r _ _ x; do
  move $((x - 8)) $((16 * r - 8)); sleep 0.1
  xdotool keydown ctrl; click $((x - 8)) $((16 * r - 8)); xdotool keyup ctrl; sleep 0.1
done < "$WS/group.txt"
move 620 300
sleep 0.2
shot selected
key ctrl+c
key Escape
key Escape     # nothing edited: no question
sleep 0.3

click 250 154  # LOAD LEVEL FROM ROM...
sleep 0.3
key 2
key Return
wait_message "[02] " 10
sleep 0.3
click 250 206  # SAVE LEVEL: map 02 as imported
sleep 0.4
[ -s "$WS/New.lvl" ] || fail "SAVE LEVEL wrote no New.lvl for map 02"
mv "$WS/New.lvl" "$WS/orig02.lvl"
enter_level_editor_fixed
PX=208 PY=104  # on the grid: the same with and without F4
move $PX $PY
sleep 0.2
key ctrl+v
sleep 0.2
shot pasted
key Escape
key Escape     # leaving asks to save the layout
sleep 0.3
key y
wait_message "WROTE New.lvl" 10

# The group's top-left goes to row (PY >> 4) + 1, x PX + 16.
read -r top left < <(awk 'NR == 1 || $1 < r { r = $1 } NR == 1 || $4 < x { x = $4 } END { print r, x }' "$WS/group.txt")
{
  layout_object_set orig02.lvl
  awk -v dr=$(((PY >> 4) + 1 - top)) -v dx=$((PX + 16 - left)) '{ print $1 + dr, $3, $4 + dx }' "$WS/group.txt"
} | sort > "$WS/expected.txt"
layout_object_set New.lvl > "$WS/saved.txt"
diff "$WS/expected.txt" "$WS/saved.txt" >&2 || fail "the saved layout is not map 02's plus the three pickups"
key Escape
wait_app_exit 10
[ "$APP_STATUS" = 0 ] || fail "exit status $APP_STATUS"
echo "ok: $(tr '\n' ';' < "$WS/group.txt") pasted into map 02 at row $(((PY >> 4) + 1)) x $((PX + 16))"
