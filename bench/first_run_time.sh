#!/usr/bin/env bash
# first_run_time.sh [COMMIT]: seconds from `./run` on a fresh clone (new build directory, no
# compiler cache) until the editor's window opens, under a private Xvfb. COMMIT defaults to
# HEAD of the repository this script sits in. Prints the load average before and after, since
# the figure depends on what else the machine is doing.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
commit=${1:-HEAD}
tmp=$(mktemp -d)
run_pid="" xvfb_pid=""
cleanup() {
  [ -n "$run_pid" ] && kill -- -"$run_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$tmp"
}
trap cleanup EXIT
git clone -q "$repo" "$tmp/src"
git -C "$tmp/src" checkout -q "$(git -C "$repo" rev-parse "$commit")"
exec 9< <(Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp 2>/dev/null & echo "pid $!"; wait)
read -r -t 10 line <&9
xvfb_pid=${line#pid }
read -r -t 10 line <&9
export DISPLAY=":$line"
echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
start=$(date +%s.%N)
set -m
(cd "$tmp/src" && CCACHE_DISABLE=1 exec ./run >"$tmp/run.log" 2>&1) &
run_pid=$!
set +m
until xdotool search --name '^Mossforge$' >/dev/null 2>&1; do
  if ! kill -0 "$run_pid" 2>/dev/null; then
    echo "./run ended before a window opened:" >&2
    tail -20 "$tmp/run.log" >&2
    exit 1
  fi
  sleep 0.1
done
end=$(date +%s.%N)
echo "load average after:  $(cut -d' ' -f1-3 /proc/loadavg)"
printf 'commit %s: window after %.1f s\n' "$(git -C "$tmp/src" rev-parse --short HEAD)" "$(echo "$end - $start" | bc)"
