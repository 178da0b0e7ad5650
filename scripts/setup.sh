# Shared by ./run and ./test: install what is missing, then configure and build.
# Sourced, not run.

need_packages() {
  local missing=()
  for p in "$@"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
}

BUILD_PACKAGES=(build-essential cmake pkg-config liballegro4-dev libloadpng4-dev libpng-dev zlib1g-dev)

# build DIR [cmake options...]: configure (once) and build everything in DIR.
build() {
  local dir=$1; shift
  cmake -S . -B "$dir" "$@" >/dev/null
  cmake --build "$dir" -j"$(nproc)"
}

# build_targets DIR TARGET...: configure DIR and build only the named targets.
build_targets() {
  local dir=$1; shift
  cmake -S . -B "$dir" >/dev/null
  cmake --build "$dir" -j"$(nproc)" --target "$@"
}
