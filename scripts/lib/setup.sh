# Shared set-up of scripts/run, scripts/test and scripts/bench: the Debian packages the
# build needs, then configure and build. Sourced, not run.

TQ_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

# Everything the program and its tests need, from Debian 12's archive.
TQ_PACKAGES=(
  g++ cmake ninja-build pkg-config ccache
  qt6-base-dev qt6-qpa-plugins libqt6dbus6
  qt6-tools-dev qt6-l10n-tools
  libcanberra-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-dejavu-core
  scdoc librsvg2-bin
)

# Real mail servers that the mail tests start on loopback ports of their own (scripts/test
# only); the desktop's validators of the desktop entry and the AppStream metadata; a message
# bus for a private session bus; Qt's own translations. The tests that need them skip, saying
# so, where they are missing.
TQ_TEST_PACKAGES=(dovecot-core dovecot-pop3d opensmtpd desktop-file-utils appstream dbus-daemon
                  qt6-translations-l10n)

# What scripts/package needs beside the build: CPack's Debian tools and lintian, and
# bash-completion for the folder its completions go to.
TQ_PACKAGING_PACKAGES=(dpkg-dev file binutils lintian bash-completion)

# The fuzzers need clang and its libFuzzer runtime (scripts/fuzz only).
TQ_FUZZ_PACKAGES=(clang-14 libclang-rt-14-dev)

# The checks of the sources that CI runs before the build: the Qt headers' folder (qtpaths6)
# and the formatter.
TQ_CHECK_PACKAGES=(qt6-base-dev-tools clang-format)

# The stress checks drive the program from a Python script (scripts/stress only).
TQ_STRESS_PACKAGES=(python3)

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

# Installs what is missing when run as root, then stops the daemons the installation started
# (the tests run their own); otherwise names the command and goes on.
tq_offer_packages() {
  local missing package
  mapfile -t missing < <(tq_missing_packages "$@")
  [ ${#missing[@]} -eq 0 ] && return 0
  # Installing opensmtpd would remove the machine's own mail server.
  if [[ " ${missing[*]} " == *" opensmtpd "* ]] && [ -e /usr/sbin/sendmail ]; then
    echo "Not installing opensmtpd: this machine has another mail server; the SMTP tests will be skipped." >&2
    mapfile -t missing < <(printf '%s\n' "${missing[@]}" | grep -vx opensmtpd)
    [ ${#missing[@]} -eq 0 ] && return 0
  fi
  if [ "$(id -u)" -eq 0 ]; then
    echo "Installing: ${missing[*]}"
    if ! { apt-get update -qq \
           && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"; }; then
      echo "Could not install ${missing[*]}; the tests that need them will be skipped." >&2
      return 0
    fi
    for package in "${missing[@]}"; do
      case $package in
        dovecot-core) tq_stop_service dovecot ;;
        opensmtpd) tq_stop_service opensmtpd ;;
      esac
    done
  else
    echo "The tests that need real mail servers will be skipped. To run them, as root:" >&2
    echo "  apt-get install -y --no-install-recommends ${missing[*]}" >&2
  fi
}

tq_stop_service() {
  if [ -d /run/systemd/system ]; then
    systemctl disable --now "$1" >/dev/null 2>&1 || true
  elif command -v service >/dev/null; then
    service "$1" stop >/dev/null 2>&1 || true
  fi
}

# tq_build BUILD_DIR TARGETS [cmake options...]: TARGETS may name several, separated by spaces.
tq_build() {
  local build_dir=$1 targets
  read -r -a targets <<<"$2"
  shift 2
  local launcher=()
  # A compiler cache, where the machine has one, makes rebuilds of unchanged sources free.
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  cmake -S "$TQ_ROOT" -B "$build_dir" -G Ninja "${launcher[@]}" "$@" >/dev/null
  cmake --build "$build_dir" --target "${targets[@]}" -- -j "$(nproc)"
}
