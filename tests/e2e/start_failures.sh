#!/usr/bin/env bash
# Start-up failures: a configuration file of a newer version, a missing font image, and no
# display at all (an error on stderr, not a crash).
. "$(dirname "$0")/lib.sh"
make_workspace
start_xvfb 1024x768

printf '\004\200\002\340\001' > "$WS/mossforge.cfg"
(cd "$WS" && timeout 20 ./mossforge >/dev/null 2>&1); status=$?
[ "$status" = 255 ] || fail "version-4 configuration: exit status $status, expected 255"
grep -qx 'ERROR: Incompatible config file version' "$WS/messages.log" || fail "no version message"
xdotool search --name '^Mossforge$' >/dev/null 2>&1 && fail "a window was opened"
cmp -s <(printf '\004\200\002\340\001') "$WS/mossforge.cfg" || fail "the configuration file was changed"

rm -f "$WS/mossforge.cfg" "$WS/alphanum.png"
: > "$WS/messages.log"
(cd "$WS" && timeout 20 ./mossforge >/dev/null 2>&1); status=$?
grep -qx 'ERROR: File "alphanum.png" not found.' "$WS/messages.log" || fail "no missing-font message"
[ "$(grep -c . "$WS/messages.log")" = 1 ] || fail "more than one message shown"

(cd "$WS" && env -u DISPLAY timeout 20 ./mossforge >/dev/null 2>"$WS/nodisplay.log"); status=$?
[ "$status" = 1 ] || fail "no display: exit status $status, expected 1"
grep -q '^ERROR: Cannot start the graphics system' "$WS/nodisplay.log" || fail "no display: $(cat "$WS/nodisplay.log")"
echo "ok: version-4 configuration refused, missing font reported, no display reported (status 1)"
