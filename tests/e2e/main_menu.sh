#!/usr/bin/env bash
# The editor starts in a fresh workspace, shows the main menu, and Escape ends it with
# the configuration written.
. "$(dirname "$0")/lib.sh"
make_workspace
start_xvfb 1024x768
start_app
# Start-up may ask for a map number: Enter takes the default.
sleep 0.3
key Return
sleep 0.5
move 200 104   # over LEVEL EDITOR
sleep 0.3
shot menu
# Box of the menu: outer blue at (184, 96), green inside, red highlight under the mouse.
[ "$(pixel menu 184 100)" = "0,0,127" ] || fail "no blue menu border at (184,100): $(pixel menu 184 100)"
[ "$(pixel menu 190 360)" = "0,127,0" ] || fail "no green menu body at (190,360): $(pixel menu 190 360)"
[ "$(pixel menu 400 108)" = "127,0,0" ] || fail "hovered line not highlighted: $(pixel menu 400 108)"
key Escape
wait_app_exit 10
[ "$APP_STATUS" = 0 ] || fail "exit status $APP_STATUS"
[ "$(stat -c %s "$WS/mossforge.cfg")" = 23 ] || fail "mossforge.cfg is not 23 bytes"
[ "$(od -An -tu1 -N1 "$WS/mossforge.cfg" | tr -d ' ')" = 3 ] || fail "mossforge.cfg does not start with 3"
echo "ok: main menu shown, Escape quit, configuration written"
