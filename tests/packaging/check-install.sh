#!/usr/bin/env bash
# check-install.sh BUILD_DIR EXPECTED_LIST HAS_COMMAND_LINE
# Installs the build into a temporary prefix and compares what landed there, file by file,
# with the expected list; then checks the icons' sizes, the desktop metadata as a whole, and
# that no program keeps a path into the build.
set -euo pipefail
build_dir=$1 expected_list=$2 has_command_line=$3

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
# A prefix of /usr under a root of its own, laid out as a package is.
prefix=$root/usr
cmake --install "$build_dir" --prefix "$prefix" >/dev/null

expected=$(grep -v '^#' "$expected_list" | while read -r first rest; do
  if [ "$first" = "[tarquel]" ]; then
    [ "$has_command_line" = 1 ] && echo "$rest"
  elif [ -n "$first" ]; then
    echo "$first"
  fi
done | LC_ALL=C sort)
actual=$(cd "$prefix" && find . ! -type d | sed 's|^\./||' | LC_ALL=C sort)
if [ "$expected" != "$actual" ]; then
  echo "The installation differs from the expected list (- expected, + installed):"
  diff -u <(echo "$expected") <(echo "$actual") | tail -n +3
  exit 1
fi

# A PNG's width and height are the big-endian words at bytes 16 and 20.
for png in "$prefix"/share/icons/hicolor/*x*/apps/*.png; do
  size=$(basename "$(dirname "$(dirname "$png")")")
  read -r width height < <(od -An -tu1 -j16 -N8 "$png" \
    | awk '{ print $1*16777216 + $2*65536 + $3*256 + $4, $5*16777216 + $6*65536 + $7*256 + $8 }')
  if [ "${width}x${height}" != "$size" ]; then
    echo "$png is ${width}x${height}, not $size"
    exit 1
  fi
done

# The menu entry, metadata and icons as the software centres see them, together.
if command -v appstreamcli >/dev/null; then
  appstreamcli validate-tree --no-net --pedantic "$root" >/dev/null \
    || { appstreamcli validate-tree --no-net --pedantic "$root"; exit 1; }
fi

# Installed programs are never left with a path into the build folder.
for program in "$prefix"/bin/*; do
  if readelf -d "$program" 2>/dev/null | grep -qE 'R(UN)?PATH'; then
    echo "$program keeps a library search path into the build: $(readelf -d "$program" | grep -E 'R(UN)?PATH')"
    exit 1
  fi
done
echo "$(echo "$actual" | wc -l) files installed, as expected"
