# Shared set-up of scripts/run, scripts/test and scripts/bench: the Debian packages the
# build needs, then configure and build. Sourced, not run.

TQ_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

# Everything the program and its tests need, from Debian 12's archive.
TQ_PACKAGES=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-qpa-plugins libqt6dbus6
  libcanberra-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-dejavu-core
)

tq_missing_packages() {
  local package
  for package in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
      echo "$package"
    fi
  done
}

# Installs what is missing when run as root; otherwise names the command and stops.
tq_ensure_packages() {
  local missing
  mapfile -t missing < <(tq_missing_packages "$@")
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -eq 0 ]; then
    echo "Installing: ${missing[*]}"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
  else
    echo "These Debian packages are missing. Install them as root, then run this again:" >&2
    echo "  apt-get install -y --no-install-recommends ${missing[*]}" >&2
    exit 1
  fi
}

# tq_build BUILD_DIR TARGET [cmake options...]
tq_build() {
  local build_dir=$1 target=$2
  shift 2
  cmake -S "$TQ_ROOT" -B "$build_dir" -G Ninja "$@" >/dev/null
  cmake --build "$build_dir" --target "$target" -- -j "$(nproc)"
}
