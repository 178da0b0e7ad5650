#!/usr/bin/env bash
# A question naming a file in a folder, at 640x480: the level loaded from
# levels/the_meadows_of_the_first_world/first-try-of-a-long-named-level.lvl is edited, and
# leaving asks to save it. The question names the file relative to the working folder, in
# capitals, and is wider than the screen: it wraps after "TO" onto a second line, both
# lines centred and whole inside 640 pixels, the "/" and "_" glyphs drawn. The file is chosen
# in the selector by a path longer than 120 characters.
. "$(dirname "$0")/lib.sh"
make_workspace
[ -f "$WS/master/genesis/glb.bin" ] || fail "no sample ROM image (samplegame not built)"
start_xvfb 1024x768

DIR=levels/the_meadows_of_the_first_world
FILE=$DIR/first-try-of-a-long-named-level.lvl
LINE1="SAVE THE LEVEL LAYOUT TO"
LINE2=$(echo "$FILE" | tr a-z A-Z)

start_app
key 1
key Return
wait_message "[01] GREEN MEADOWS" 10
sleep 0.3
click 250 206  # SAVE LEVEL: New.lvl, moved into the folder
sleep 0.4
mkdir -p "$WS/$DIR"
mv "$WS/New.lvl" "$WS/$FILE" || fail "SAVE LEVEL wrote no New.lvl"
click 250 170  # LOAD LEVEL FROM LVL FILE...
sleep 0.5
# Typed after the working folder the selector shows, with "./" steps that make the whole path
# longer than 120 characters (the selector once cut it there, however long the folder's path).
xdotool type --delay 40 "$(printf './%.0s' $(seq 30))$FILE"
key Return
wait_message "$FILE" 10
enter_level_editor_fixed
move 560 440
key Insert
key Escape
key Escape     # leaving: the question
sleep 0.4
shot question

# Band rows 216..263 (two question lines and the answer line); line i at row 224 + 12 i.
# The ink of a line spans its centred cells: from x0 + 1 to x0 + 8 * length - 1.
check_line() {
  local text=$1 y=$2 x0 geometry
  x0=$((320 - 4 * ${#text}))
  geometry=$(convert "$WS/question.png" -crop "640x8+0+$y" +repage -fuzz 10% -trim -format '%w %X' info:)
  read -r width left <<< "$geometry"
  left=${left#+}
  [ "$left" = $((x0 + 1)) ] && [ $((left + width)) = $((x0 + 8 * ${#text})) ] ||
    fail "line \"$text\" at row $y spans $left..$((left + width)), not $((x0 + 1))..$((x0 + 8 * ${#text}))"
}
check_line "$LINE1" 224
check_line "$LINE2" 236
# The "/" after LEVELS: its top right and bottom left pixels in ink A.
X0=$((320 - 4 * ${#LINE2}))
[ "$(pixel question $((X0 + 48 + 6)) 236)" = "240,240,240" ] && [ "$(pixel question $((X0 + 48 + 1)) 242)" = "240,240,240" ] ||
  fail "no \"/\" glyph at x $((X0 + 48)) of the second line"
key n
sleep 0.3
key Escape     # the main menu asks about the unsaved edit
sleep 0.3
key n
wait_app_exit 10
[ "$APP_STATUS" = 0 ] || fail "exit status $APP_STATUS"
echo "ok: \"$LINE1 $LINE2\" shown on two centred lines inside 640 pixels, the \"/\" drawn"
