#!/usr/bin/env bash
# pp20_vs_ancient.sh BUILD_DIR...: decoding time of one large packed block by `mossforge
# unpack` of each build and by the general PP20 decoder of the Debian package `ancient`
# (installed for this comparison only: apt-get install ancient), median CPU time of RUNS runs
# each (environment variable, 11 by default), all in the same run, every output checked
# against the input. Several build directories compare versions of the program.
#
# The block packs 12 MiB made of the sample game's AGA program with stretches of pseudo-random
# bytes between them (its packed size is printed). (Blocks of the very regular Genesis image, which
# pack to under a tenth, are refused by `ancient` as corrupt, so they cannot be compared.) `ancient` reads PowerPacker's file convention: the
# magic "PP20" where the game's block holds its size, and a stream of whole 32-bit words (read
# from the end), so zero bytes go before the stream where the decoder never reaches:
#   { printf PP20; head -c 8 block.pp | tail -c 4; head -c PAD /dev/zero; tail -c +9 block.pp; } > block.pp20
# with PAD = (4 - (S - 12) % 4) % 4 for a block of S bytes.
set -euo pipefail
builds=()
for b in "$@"; do builds+=("$(cd "$b" && pwd)"); done
build=${builds[0]}
runs=${RUNS:-11}
command -v ancient >/dev/null || { echo "ancient is not installed (apt-get install ancient)" >&2; exit 1; }
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cd "$tmp"
"$build/samplegame" master >/dev/null
python3 - master/aga/CODE plain <<'PY'
import random, sys
game = open(sys.argv[1], "rb").read()
rng = random.Random(18)
out, pos, size = bytearray(), 0, 12 << 20
while len(out) < size:
    take = game[pos:pos + 48 * 1024] or game[:48 * 1024]
    pos = (pos + len(take)) % len(game)
    out += take + rng.randbytes(16 * 1024)
open(sys.argv[2], "wb").write(out[:size])
PY
"$build/mossforge" pack plain block.pp
s=$(stat -c %s block.pp)
pad=$(((4 - (s - 12) % 4) % 4))
{ printf PP20; head -c 8 block.pp | tail -c 4; head -c $pad /dev/zero; tail -c +9 block.pp; } > block.pp20
echo "input $(stat -c %s plain) bytes, packed block $(stat -c %s block.pp) bytes"

# Median CPU time (user + system) in milliseconds of running "$@" $runs times; CPU time
# rather than wall time, which on a shared machine mostly measures the other processes.
median_ms() {
  local times=() i t TIMEFORMAT='%3U %3S'
  for ((i = 0; i < runs; i++)); do
    t=$( { time "$@" >/dev/null 2>&1; } 2>&1 )
    times+=("$(echo "$t" | awk '{ printf "%d", ($1 + $2) * 1000 }')")
  done
  printf '%s\n' "${times[@]}" | sort -n | awk -v n="$runs" 'NR == int((n + 1) / 2) { print $1 }'
}

echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
for b in "${builds[@]}"; do
  m=$(median_ms "$b/mossforge" unpack block.pp out.mossforge)
  cmp -s plain out.mossforge || { echo "$b/mossforge unpack: output differs from the input" >&2; exit 1; }
  echo "$b/mossforge unpack: $m ms"
done
a=$(median_ms ancient decompress block.pp20 out.ancient)
cmp -s plain out.ancient || { echo "ancient output differs from the input" >&2; exit 1; }
echo "ancient decompress: $a ms   (medians of $runs runs, same machine, same run)"
