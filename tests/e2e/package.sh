#!/usr/bin/env bash
# The Debian package: `cpack -G DEB` makes mossforge_<version>_<arch>.deb with the version of
# --version, a file list that holds the binary, images, sample game, manual page, desktop
# entry and icon, computed library dependencies, a stripped binary, and a desktop entry that
# desktop-file-validate accepts.
. "$(dirname "$0")/lib.sh"
command -v dpkg-deb >/dev/null || { echo "SKIP: dpkg-deb missing (not a Debian system): package not tested"; exit 77; }
command -v desktop-file-validate >/dev/null || fail "desktop-file-validate missing (apt-get install desktop-file-utils)"
rm -rf "$WS"
mkdir -p "$WS"
(cd "$BUILD" && cpack -G DEB -B "$WS" >"$WS/cpack.log" 2>&1) || fail "cpack: $(tail -5 "$WS/cpack.log")"
version=$("$BIN" --version | awk '{ print $2 "~" $3 }')
deb=$WS/mossforge_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "no $(basename "$deb"), only: $(ls "$WS")"
dpkg-deb -c "$deb" | awk '{ print $6 }' > "$WS/files.txt"
for f in $INSTALLED_FILES; do
  grep -qx "./usr/$f" "$WS/files.txt" || fail "the package lacks /usr/$f"
done
depends=$(dpkg-deb -f "$deb" Depends)
for p in liballegro4.4 libloadpng4.4 libc6 x11-utils; do
  [[ ", $depends," == *", $p"[\ ,]* ]] || fail "no dependency on $p: $depends"
done
dpkg-deb -x "$deb" "$WS/root"
file "$WS/root/usr/bin/mossforge" | grep -q ', stripped' || fail "the binary is not stripped"
desktop-file-validate "$WS/root/usr/share/applications/mossforge.desktop" >"$WS/validate.log" 2>&1 ||
  fail "desktop-file-validate: $(cat "$WS/validate.log")"
echo "ok: $(basename "$deb") holds $(wc -l < "$WS/files.txt") entries; depends on $depends"
