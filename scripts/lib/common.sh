# Shared steps of scripts/run and scripts/test: install what is missing, fetch SQLite when the
# system one is too old, configure and build. Sourced, not run.

PELAGOR_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

# Debian 12 packages the project builds, tests and shows itself with.
PELAGOR_PACKAGES=(
  build-essential cmake ninja-build pkg-config git curl ca-certificates
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-qpa-plugins libgl-dev fonts-dejavu-core
)
# Only for taking the README's screenshots (and looking at printed sheets).
PELAGOR_SCREENSHOT_PACKAGES=(xvfb xauth imagemagick poppler-utils)

# The SQLite amalgamation travels inside the npm package better-sqlite3; version and checksums
# are pinned so that every machine builds the same engine.
SQLITE_CARRIER=better-sqlite3
SQLITE_CARRIER_VERSION=12.11.1
SQLITE_VERSION=3.53.2
SQLITE_CARRIER_SHA256=ebf0ed75a7a59dbcb3b24bbd014ef49d9f15bc328e4adcbf516f2a8fadfa2835
SQLITE_C_SHA256=60d2f39a3726cd6b9021da6f4e868608d66fbb6528a9f513dc8ffcc640493422
SQLITE_H_SHA256=9e69a1353a4288450b0d5239ede11fc7f1f4c8e5eb07491fc8317eacb5b7de7e
SQLITE_MIN_VERSION=3.42.0

log() { printf '==> %s\n' "$*" >&2; }

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# install_packages [extra packages...]
install_packages() {
  local missing=()
  local p
  for p in "${PELAGOR_PACKAGES[@]}" "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  if [ "${#missing[@]}" -gt 0 ]; then
    log "installing ${missing[*]}"
    as_root apt-get update -q
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
  fi
}

version_at_least() { # $1 >= $2
  [ "$(printf '%s\n%s\n' "$2" "$1" | sort -V | head -n1)" = "$2" ]
}

sha_ok() { # file expected-sha256
  [ -f "$1" ] && [ "$(sha256sum "$1" | cut -d' ' -f1)" = "$2" ]
}

# Prints the CMake arguments that select SQLite, fetching the amalgamation if needed.
sqlite_cmake_args() {
  local sys
  sys=$(pkg-config --modversion sqlite3 2>/dev/null || true)
  if [ -n "$sys" ] && version_at_least "$sys" "$SQLITE_MIN_VERSION"; then
    log "using the system SQLite $sys"
    return 0
  fi
  local dir="$PELAGOR_ROOT/.deps/sqlite-$SQLITE_VERSION"
  if ! sha_ok "$dir/sqlite3.c" "$SQLITE_C_SHA256" || ! sha_ok "$dir/sqlite3.h" "$SQLITE_H_SHA256"; then
    fetch_sqlite "$dir"
  fi
  printf '%s\n' "-DPELAGOR_SQLITE_SOURCE_DIR=$dir"
}

fetch_sqlite() {
  local dir=$1
  local registry
  registry=$(npm config get registry 2>/dev/null || true)
  [ -n "$registry" ] && [ "$registry" != "undefined" ] || registry=https://registry.npmjs.org/
  registry=${registry%/}
  local url="$registry/$SQLITE_CARRIER/-/$SQLITE_CARRIER-$SQLITE_CARRIER_VERSION.tgz"
  local tmp
  tmp=$(mktemp -d)
  log "fetching SQLite $SQLITE_VERSION from $url"
  curl -fsSL --retry 3 -o "$tmp/carrier.tgz" "$url"
  if ! sha_ok "$tmp/carrier.tgz" "$SQLITE_CARRIER_SHA256"; then
    rm -rf "$tmp"
    echo "error: $url does not match its pinned checksum" >&2
    return 1
  fi
  tar -xzf "$tmp/carrier.tgz" -C "$tmp" package/deps/sqlite3/sqlite3.c package/deps/sqlite3/sqlite3.h
  sha_ok "$tmp/package/deps/sqlite3/sqlite3.c" "$SQLITE_C_SHA256" &&
    sha_ok "$tmp/package/deps/sqlite3/sqlite3.h" "$SQLITE_H_SHA256" || {
    rm -rf "$tmp"
    echo "error: the SQLite sources in $url do not match their pinned checksums" >&2
    return 1
  }
  mkdir -p "$dir"
  mv "$tmp/package/deps/sqlite3/sqlite3.c" "$tmp/package/deps/sqlite3/sqlite3.h" "$dir/"
  rm -rf "$tmp"
}

# configure_and_build <build dir> <cmake args...>
configure_and_build() {
  local dir=$1
  shift
  cmake -S "$PELAGOR_ROOT" -B "$dir" -G Ninja "$@"
  cmake --build "$dir"
}
