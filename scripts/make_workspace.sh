#!/usr/bin/env bash
# make_workspace.sh BUILD_DIR WORKSPACE: prepares a working directory for the editor:
# the binary, the interface images and the sample game's master files.
set -euo pipefail
build=$1 ws=$2
src=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$ws/master/genesis" "$ws/master/aga"
cp "$build/mossforge" "$ws/"
cp "$src"/data/*.png "$ws/"
if [ -x "$build/samplegame" ]; then
  "$build/samplegame" "$ws/master"
fi
