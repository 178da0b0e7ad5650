# Helpers for end-to-end tests of the real window under Xvfb. Sourced by tests/e2e/*.sh,
# which are called as: script.sh MOSSFORGE_BINARY BUILD_DIR
# Sets up: $WS (a fresh workspace with the binary, interface images and sample game),
# $DISPLAY (a private Xvfb), a stub xmessage that appends each message to $WS/messages.log.
set -u
BIN=$1
BUILD=$2
SRC=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
NAME=$(basename "$0" .sh)
WS=$BUILD/e2e/$NAME
APP_PID=""
XVFB_PID=""

e2e_cleanup() {
  [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
  wait 2>/dev/null
}
trap e2e_cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  [ -f "$WS/messages.log" ] && { echo "messages shown:" >&2; cat "$WS/messages.log" >&2; }
  exit 1
}

# Fresh workspace: binary, interface images, sample game (when the generator exists).
make_workspace() {
  rm -rf "$WS"
  mkdir -p "$WS/master/genesis" "$WS/master/aga"
  cp "$BIN" "$WS/mossforge"
  cp "$SRC"/data/*.png "$WS/"
  [ -x "$BUILD/samplegame" ] && "$BUILD/samplegame" "$WS/master" >/dev/null
  stub_messages
}

# What an install puts below its prefix (the install and package tests look for each).
INSTALLED_FILES="bin/mossforge share/mossforge/alphanum.png share/mossforge/cursor.png share/mossforge/bselect.png
  share/mossforge/master/genesis/glb.bin share/mossforge/master/aga/CODE share/man/man1/mossforge.1
  share/applications/mossforge.desktop share/icons/hicolor/48x48/apps/mossforge.png share/doc/mossforge/README.md"

# A stub xmessage first on PATH: each message the program shows is appended to $WS/messages.log.
stub_messages() {
  mkdir -p "$WS/stub"
  cat > "$WS/stub/xmessage" <<STUB
#!/bin/sh
# Records the message text (the last argument) and dismisses the box at once.
for last; do :; done
printf '%s\n' "\$last" >> "$WS/messages.log"
exit 101
STUB
  chmod +x "$WS/stub/xmessage"
  : > "$WS/messages.log"
  export PATH="$WS/stub:$PATH"
}

# A fresh workspace with the sample game and a private 1024x768 X server.
sample_workspace() {
  make_workspace
  [ -f "$WS/master/genesis/glb.bin" ] || fail "no sample ROM image (samplegame not built)"
  start_xvfb 1024x768
}

# Private X server; SIZE like 1024x768.
start_xvfb() {
  local size=${1:-1024x768}
  exec 9< <(Xvfb -displayfd 1 -screen 0 "${size}x24" -nolisten tcp 2>/dev/null & echo "pid $!"; wait)
  local line
  read -r -t 10 line <&9 || fail "Xvfb did not start"
  XVFB_PID=${line#pid }
  read -r -t 10 line <&9 || fail "Xvfb gave no display number"
  export DISPLAY=":$line"
}

# Starts the editor in the workspace (or APP_DIR, with APP_BIN for ./mossforge) and waits
# for its window ($WIN). A start that finds
# the X server not answering, or loses it while the window is made (both seen now and then
# while several test servers start at once), is tried again, twice at most.
start_app() {
  local i try status
  for try in 1 2 3; do
    (cd "${APP_DIR:-$WS}" && exec "${APP_BIN:-./mossforge}" "$@" >"$WS/stdout.log" 2>"$WS/stderr.log") &
    APP_PID=$!
    WIN=""
    for i in $(seq 1 200); do
      WIN=$(xdotool search --name '^Mossforge$' 2>/dev/null | head -1)
      [ -n "$WIN" ] && break
      if ! kill -0 "$APP_PID" 2>/dev/null; then
        wait "$APP_PID"; status=$?
        APP_PID=""
        # 141: ended by SIGPIPE, the X connection lost while the window was being made.
        if [ "$try" -lt 3 ] && { [ "$status" = 141 ] || grep -q "Cannot start the graphics system" "$WS/stderr.log"; }; then
          sleep 0.5
          continue 2
        fi
        fail "editor ended (status $status) before its window opened: $(cat "$WS/stderr.log" "$WS/stdout.log" 2>/dev/null)"
      fi
      sleep 0.05
    done
    break
  done
  [ -n "$WIN" ] || fail "no editor window"
  # The first mouse motion inside the window is swallowed: two warm-up moves.
  xdotool mousemove --window "$WIN" 1 1; sleep 0.05
  xdotool mousemove --window "$WIN" 0 0; sleep 0.05
}

# A key as the editor sees it: down for a few frames, then up.
key() { xdotool keydown "$1"; sleep 0.08; xdotool keyup "$1"; sleep 0.08; }
typetext() { local c; for c in $(echo "$1" | fold -w1); do key "$c"; done; }
move() { xdotool mousemove --window "$WIN" "$1" "$2"; sleep 0.08; }
click() { move "$1" "$2"; xdotool mousedown 1; sleep 0.08; xdotool mouseup 1; sleep 0.1; }

# Waits until the editor ends (at most SECONDS); sets APP_STATUS.
wait_app_exit() {
  local t=${1:-10} i
  for i in $(seq 1 $((t * 20))); do
    kill -0 "$APP_PID" 2>/dev/null || break
    sleep 0.05
  done
  kill -0 "$APP_PID" 2>/dev/null && fail "editor still running after ${t}s"
  wait "$APP_PID"; APP_STATUS=$?
  APP_PID=""
}

# Screenshot of the window into $WS/NAME.png; pixel X Y of it as "r,g,b".
shot() { import -window "$WIN" "$WS/$1.png" 2>/dev/null || fail "screenshot failed"; }
pixel() { convert "$WS/$1.png" -format '%[fx:int(255*p{'"$2"','"$3"'}.r)],%[fx:int(255*p{'"$2"','"$3"'}.g)],%[fx:int(255*p{'"$2"','"$3"'}.b)]' info:; }

# Waits until a message containing TEXT was shown (at most SECONDS).
wait_message() {
  local text=$1 t=${2:-10} i
  for i in $(seq 1 $((t * 20))); do
    grep -qF -- "$text" "$WS/messages.log" && return 0
    sleep 0.05
  done
  fail "message \"$text\" not shown"
}

# Objects of a layout file (packed or plain; a path relative to $WS or absolute), one
# "row index code x" line each (code in hex), in file order.
layout_objects() {
  local path=$1
  [[ $path == /* ]] || path=$WS/$path
  "$WS/mossforge" unpack "$path" "$path.raw" >/dev/null 2>&1 || fail "cannot unpack $1"
  od -An -v -tu1 "$path.raw" | awk '{ for (i = 1; i <= NF; i++) b[n++] = $i }
    END {
      rows = int((b[6] * 256 + b[7]) / 16)
      for (k = 1; k <= rows; k++) {
        s = b[8 + 2 * (k - 1)] * 256 + b[9 + 2 * (k - 1)]
        e = k < rows ? b[8 + 2 * k] * 256 + b[9 + 2 * k] : n
        for (i = 0; s + 4 * i + 3 < e; i++) {
          p = s + 4 * i
          printf "%d %d %04X %d\n", k, i, b[p] * 256 + b[p + 1], b[p + 2] * 256 + b[p + 3]
        }
      }
    }'
}
# The same as sorted "row code x" lines: which objects, whatever their order in a row.
layout_object_set() { layout_objects "$1" | awk '{ print $1, $3, $4 }' | sort; }

# At the map-number prompt of a started editor: imports map 01, saves it as imported to
# $WS/orig.lvl (its objects in $WS/orig.txt, as layout_objects prints them) and picks a pickup
# whose icon (x - 16, 16 row - 16) lies inside the window at zoom 0, below the panel, and
# whose next object in the row lies at least 48 pixels further right: it is on top under the
# cursor and stays at its index when dragged 32 pixels right. Sets ROW INDEX CODE X and the
# icon's centre ICX ICY.
open_map_01_with_a_pickup() {
  key 1
  key Return
  wait_message "[01] GREEN MEADOWS" 10
  sleep 0.3
  click 250 206  # SAVE LEVEL: the level as imported
  sleep 0.4
  [ -s "$WS/New.lvl" ] || fail "SAVE LEVEL wrote no New.lvl"
  mv "$WS/New.lvl" "$WS/orig.lvl"
  layout_objects orig.lvl > "$WS/orig.txt"
  read -r ROW INDEX CODE X < <(awk '{ code[$1, $2] = $3; x[$1, $2] = $4; count[$1] = $2 + 1 }
    END {
      for (k in code) {
        split(k, p, SUBSEP); r = p[1]; i = p[2]
        if (substr(code[k], 1, 2) != "08" || x[k] < 40 || x[k] > 560 || 16 * r < 160 || 16 * r > 460) continue
        if (i + 1 < count[r] && x[r, i + 1] < x[k] + 48) continue
        print r, i, code[k], x[k]
      }
    }' "$WS/orig.txt" | sort -n -k1,1 -k2,2 | head -1)
  [ -n "${ROW:-}" ] || fail "no pickup in view in the sample level"
  ICX=$((X - 8)) ICY=$((16 * ROW - 8))
}

# From the main menu: LEVEL EDITOR, then a click in the middle that fixes the camera.
enter_level_editor_fixed() {
  click 250 104
  sleep 0.4
  move 320 240
  sleep 0.2
  click 320 240
}

# With the cursor over the pickup open_map_01_with_a_pickup found: selects it with a click,
# Plus gives it the next type, and a drag moves it 32 pixels right.
change_and_drag_the_pickup() {
  click $ICX $ICY
  key equal
  xdotool mousedown 1
  sleep 0.1
  move $((ICX + 16)) $ICY
  move $((ICX + 32)) $ICY
  sleep 0.1
  xdotool mouseup 1
  sleep 0.2
}
