#!/usr/bin/env bash
# Start-up asks for the map number; Enter imports map 0 from the sample ROM image and
# shows "[00] MAP SCREEN", the debug dumps are written, and the main menu follows.
. "$(dirname "$0")/lib.sh"
make_workspace
[ -f "$WS/master/genesis/glb.bin" ] || fail "no sample ROM image (samplegame not built)"
start_xvfb 1024x768
start_app
sleep 0.4
shot prompt
# The prompt line is drawn in the message band around the middle of the 640x480 window.
lit=$(convert "$WS/prompt.png" -crop 300x10+180+228 -format '%[fx:maxima.r]' info:)
[ "$lit" != 0 ] || fail "no prompt text in the message band"
[ -s "$WS/messages.log" ] && fail "a message was shown before the map number was entered"
key Return
wait_message "[00] MAP SCREEN" 10
for f in vram_tiles.bin block_mappings.bin vram_common.bin common_mappings.bin vram_moon.bin; do
  [ -s "$WS/dump/$f" ] || fail "dump/$f missing"
done
sleep 0.3
move 200 104
sleep 0.3
shot menu
[ "$(pixel menu 184 100)" = "0,0,127" ] || fail "main menu not shown after the import: $(pixel menu 184 100)"
key Escape
wait_app_exit 10
[ "$APP_STATUS" = 0 ] || fail "exit status $APP_STATUS"
[ "$(grep -c . "$WS/messages.log")" = 1 ] || fail "unexpected messages"
echo "ok: map number asked, map 0 imported with \"[00] MAP SCREEN\", dumps written, main menu shown"
