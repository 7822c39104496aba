#!/usr/bin/env bash
# check-package.sh PACKAGE.deb
# Installs the package with apt, starts the installed messenger on the offscreen platform in a
# fresh home inside a network namespace of its own (so nothing it sends reaches a real network),
# checks that it listens on TCP port 7777 and ends cleanly on SIGTERM, runs `tarquel --help`
# where the package has it, and removes the package again. Needs root.
set -euo pipefail
deb=$(realpath "$1")
package=tarquel-messenger

if [ "$(id -u)" -ne 0 ]; then
  echo "Package check skipped: installing a package needs root." >&2
  exit 0
fi
if dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
  echo "Package check skipped: $package is already installed on this machine; it is left alone." >&2
  exit 0
fi

home=$(mktemp -d)
cleanup() {
  DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq "$package" >/dev/null 2>&1 || true
  rm -rf "$home"
}
trap cleanup EXIT

echo "Installing $(basename "$deb")"
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$deb" >/dev/null
for file in /usr/bin/tarquel-messenger /usr/share/applications/tarquel-messenger.desktop \
            /usr/share/tarquel-messenger/help/index.html /usr/share/tarquel-messenger/receive.wav; do
  [ -e "$file" ] || { echo "The package did not install $file" >&2; exit 1; }
done

if ! unshare --net true 2>/dev/null; then
  echo "Start check skipped: no network namespace can be made here (unshare --net)." >&2
else
  mkdir -p "$home/config" "$home/data" "$home/cache" "$home/runtime"
  chmod 700 "$home/runtime"
  # Inside the namespace only loopback exists, and is brought up; the program sees a clean
  # environment with no session bus, and its home in the temporary folder.
  env -i PATH=/usr/bin:/bin:/usr/sbin:/sbin LANG=C.UTF-8 HOME="$home" \
    XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" XDG_CACHE_HOME="$home/cache" \
    XDG_RUNTIME_DIR="$home/runtime" QT_QPA_PLATFORM=offscreen \
    unshare --net bash -euo pipefail -c '
      ip link set lo up
      tarquel-messenger >"$HOME/messenger.log" 2>&1 &
      pid=$!
      listening=0
      for _ in $(seq 1 100); do
        if ss -Hltn "sport = :7777" | grep -q .; then listening=1; break; fi
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.2
      done
      if [ "$listening" != 1 ]; then
        echo "The installed tarquel-messenger did not listen on TCP port 7777:" >&2
        cat "$HOME/messenger.log" >&2
        kill -KILL "$pid" 2>/dev/null || true
        exit 1
      fi
      echo "The installed tarquel-messenger listens on TCP port 7777"
      kill -TERM "$pid"
      status=0
      wait "$pid" || status=$?
      if [ "$status" != 0 ]; then
        echo "tarquel-messenger ended with status $status after SIGTERM:" >&2
        cat "$HOME/messenger.log" >&2
        exit 1
      fi
      echo "and ends cleanly on SIGTERM"
      if command -v tarquel >/dev/null; then
        tarquel --help >/dev/null
        echo "tarquel --help works"
      fi
    '
fi

DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq "$package" >/dev/null
[ ! -e /usr/bin/tarquel-messenger ] || { echo "Removing the package left /usr/bin/tarquel-messenger" >&2; exit 1; }
echo "Package installed, started, stopped and removed: $(basename "$deb")"
