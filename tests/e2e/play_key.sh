#!/usr/bin/env bash
# F8 in the level editor plays the project in an emulator (a stand-in script that records how
# it was started). Without a project it says to load one. With an unsaved edit it asks first:
# Escape builds nothing, N builds the files on disk and starts the emulator once, Y saves the
# edit into the project's layout and builds that. The patch beside the image gives the image
# back from the master, which stays as it was.
. "$(dirname "$0")/lib.sh"
make_workspace
[ -f "$WS/master/genesis/glb.bin" ] || fail "no sample ROM image (samplegame not built)"
start_xvfb 1024x768

question_shown() { shot "$1"; [ "$(pixel "$1" 186 226)" = "0,0,0" ]; }
starts() { cat "$WS/started.txt" 2>/dev/null | grep -c .; }
wait_starts() {
  local i
  for i in $(seq 1 100); do [ "$(starts)" -ge "$1" ] && return 0; sleep 0.05; done
  fail "the emulator was started $(starts) times, not $1"
}

cp "$WS/master/genesis/glb.bin" "$WS/master.copy"
(cd "$WS" && ./mossforge generate-genesis master/genesis/glb.bin >/dev/null 2>&1) || fail "generation failed"
FRONT=levels/$(sed -n 's/^map_front = \.\/\(.*\)\r\?$/\1/p' "$WS/levels/level01.gll" | tr -d '\r')
[ -f "$WS/$FRONT" ] || fail "no front layout of level 01 ($FRONT)"
cp "$WS/$FRONT" "$WS/front01.lvl"
cat > "$WS/emu.sh" <<'EMU'
#!/bin/sh
echo "$PWD|$(readlink /proc/$$/fd/0)|$*" >> started.txt
EMU
chmod +x "$WS/emu.sh"
export MOSSFORGE_EMULATOR="$WS/emu.sh --fullscreen {rom}"

start_app
sleep 0.5
key Return     # map 00 at the start-up prompt
wait_message "[00] " 10
sleep 0.3
click 250 104  # LEVEL EDITOR, no project loaded
sleep 0.4
key F8
wait_message "LOAD A PROJECT FIRST: THE BUILD USES ITS FILES." 5
[ -e "$WS/Newrom.bin" ] && fail "a build without a project"
key Escape
sleep 0.3

click 250 287  # LOAD PROJECT...
sleep 0.5
# The field holds the working folder's path: erase it whole, however long it is.
xdotool key --repeat $(( $(cd "$WS" && pwd | wc -c) + 8 )) --delay 10 BackSpace
xdotool type --delay 30 GLB-Gen.glp
key Return
sleep 0.4
click 250 191  # LOAD LEVEL...: level 01 of the project
sleep 0.6
key 1
key Return
wait_message "[01] " 10
sleep 0.3
click 250 104  # LEVEL EDITOR
move 320 240
click 320 240  # fixes the camera
key Insert     # an edit: chunk 0 at x 320 + 16, row 240 / 16 + 1
key F8
sleep 0.4
question_shown question || fail "no question about the unsaved edit"
key Escape
sleep 0.4
[ -e "$WS/GLB-Gen.bin" ] && fail "Escape at the question built the game"
[ "$(starts)" = 0 ] || fail "Escape at the question started the emulator"

key F8
sleep 0.4
key n
wait_message "GLB-Gen.bin, $WS/GLB-Gen.bps" 10  # the selector gives a full path
wait_starts 1
sleep 0.3
[ "$(starts)" = 1 ] || fail "the emulator was started $(starts) times"
[ "$(cat "$WS/started.txt")" = "$WS|/dev/null|--fullscreen $WS/GLB-Gen.bin" ] ||
  fail "the emulator was started as: $(cat "$WS/started.txt")"
cmp -s "$WS/$FRONT" "$WS/front01.lvl" || fail "N saved the layout"
(cd "$WS" && ./mossforge bps-apply master/genesis/glb.bin GLB-Gen.bps applied.bin >/dev/null 2>&1) ||
  fail "the patch does not apply"
cmp -s "$WS/applied.bin" "$WS/GLB-Gen.bin" || fail "the patch does not give the image"
cp "$WS/GLB-Gen.bin" "$WS/built_n.bin"

key F8
sleep 0.4
key y
wait_starts 2
cmp -s "$WS/$FRONT" "$WS/front01.lvl" && fail "Y did not save the layout"
[ "$(layout_object_set "$FRONT" | wc -l)" = "$(($(layout_object_set front01.lvl | wc -l) + 1))" ] ||
  fail "the saved layout is not the old one and the inserted chunk"
cmp -s "$WS/GLB-Gen.bin" "$WS/built_n.bin" && fail "the build after Y is the build after N"
cmp -s "$WS/master/genesis/glb.bin" "$WS/master.copy" || fail "the master image changed"
shot after_play
key Escape     # the camera roams again
key Escape     # the main menu
sleep 0.3
key Escape     # nothing unsaved: the program ends
wait_app_exit 10
[ "$APP_STATUS" = 0 ] || fail "exit status $APP_STATUS"
echo "ok: F8 asked, built what was on disk (N) or saved (Y), and started the emulator once each"
