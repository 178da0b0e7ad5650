#!/usr/bin/env bash
# The installed program: `cmake --install` into a temporary prefix puts everything in place;
# the installed binary, started in an empty folder, makes a working directory there with
# init-workspace (and refuses to do it twice), opens its window on it with the images of the
# data folder and imports from the copied sample game; an image in neither place is still
# reported as missing; the manual page renders and names every batch command of --help.
. "$(dirname "$0")/lib.sh"
[ -f "$BUILD/mossforge.1" ] || { echo "SKIP: this build has no manual page (help2man missing): install not tested"; exit 77; }
rm -rf "$WS"
mkdir -p "$WS/empty"
stub_messages
PREFIX=$WS/prefix
cmake --install "$BUILD" --prefix "$PREFIX" >"$WS/install.log" 2>&1 || fail "cmake --install: $(tail -3 "$WS/install.log")"
for f in $INSTALLED_FILES; do
  [ -s "$PREFIX/$f" ] || fail "not installed: $f"
done
MF=$PREFIX/bin/mossforge

(cd "$WS/empty" && "$MF" init-workspace game >"$WS/init.log" 2>&1) || fail "init-workspace: $(cat "$WS/init.log")"
diff -r "$PREFIX/share/mossforge/master" "$WS/empty/game/master" >/dev/null || fail "the copied master folder differs"
(cd "$WS/empty" && "$MF" init-workspace game >/dev/null 2>"$WS/again.log"); status=$?
[ "$status" = 1 ] || fail "a second init-workspace: exit status $status, expected 1"
grep -q 'already holds a master folder' "$WS/again.log" || fail "second init-workspace: $(cat "$WS/again.log")"

start_xvfb 1024x768
APP_DIR=$WS/empty/game APP_BIN=$MF start_app
sleep 0.4
shot prompt
# The start-up prompt, in the installed font, in the message band of the 640x480 window.
lit=$(convert "$WS/prompt.png" -crop 300x10+180+228 -format '%[fx:maxima.r]' info:)
[ "$lit" != 0 ] || fail "no prompt text in the message band"
key Return
wait_message "[00] MAP SCREEN" 10
key Escape
wait_app_exit 10
[ "$APP_STATUS" = 0 ] || fail "exit status $APP_STATUS"
ls "$WS/empty/game"/*.png >/dev/null 2>&1 && fail "images were copied into the working directory"

mv "$PREFIX/share/mossforge/alphanum.png" "$WS/"
: > "$WS/messages.log"
(cd "$WS/empty/game" && timeout 20 "$MF" >/dev/null 2>&1)
[ "$(cat "$WS/messages.log")" = 'ERROR: File "alphanum.png" not found.' ] || fail "font in neither place"

MANWIDTH=100 man -l "$PREFIX/share/man/man1/mossforge.1" >"$WS/man.txt" 2>"$WS/man.log" || fail "man -l: $(cat "$WS/man.log")"
commands=$("$MF" --help | awk '/^Batch commands:/ { on = 1; next } on && NF == 0 { exit } on { print $1 }')
[ "$(echo "$commands" | wc -l)" -ge 8 ] || fail "--help lists too few commands: $commands"
for c in $commands; do
  grep -qE "^ +$c( |$)" "$WS/man.txt" || fail "the manual page does not name $c"
done
for s in SYNOPSIS ENVIRONMENT FILES EXAMPLES; do grep -qx "$s" "$WS/man.txt" || fail "no $s section"; done
# Every variable the program reads.
for v in $(grep -rhoE --include='*.cpp' --exclude-dir={tests,bench,fuzz,tools,'build*'} 'getenv\("[A-Z_]+"\)' "$SRC" | sort -u | cut -d'"' -f2); do
  [ "$v" = PATH ] || grep -qE "^ +$v( |$)" "$WS/man.txt" || fail "the manual page does not name $v"
done
grep -q "^$("$MF" --version) " "$WS/man.txt" || fail "the manual page's version is not --version's"
echo "ok: installed, init-workspace made a workspace (and refused a second), window opened there, manual page names $(echo $commands)"
