#!/usr/bin/env bash
# Checks that the folders of src/ point one way and that the core stays without a display:
#  - an include between folders runs downward only, by the levels below; a file that a folder
#    adds to tq_gui (a window) stands at the windows' level whatever its folder;
#  - no file outside the windows includes a Qt Gui or Widgets header (the link line alone does
#    not stop an include: a header-only use would compile until someone links it away).
# Prints each offence and exits 1 when there is one.
set -euo pipefail
source "$(dirname "$0")/setup.sh"
tq_ensure_packages "${TQ_CHECK_PACKAGES[@]}"
cd "$TQ_ROOT"

# Each level may include its own and the levels below it.
declare -A level=(
  [platform]=0 [settings]=0 [res]=0
  [protocol]=1
  [messages]=2 [addressbook]=2 [mail]=2
  [station]=3 [history]=3 [presence]=3 [queue]=3
  [prefs]=4 [app]=4 [ui]=4 [cli]=4
)
windows=4
# The folders of windows alone (the command line stands as high but runs without a display).
declare -A window_folder=([prefs]=1 [app]=1 [ui]=1)

# The files each folder adds to tq_gui, as "folder/File.h".
declare -A window_file=()
for list in src/*/CMakeLists.txt; do
  folder=$(basename "$(dirname "$list")")
  for name in $(awk '/target_sources\(tq_gui/ {on = 1} on {print} on && /\)/ {on = 0}' "$list" \
                  | tr '() \t' '\n\n\n\n' | grep -E '\.(h|cpp)$' || true); do
    window_file[$folder/$name]=1
  done
done

level_of() { # folder/File
  if [ -n "${window_file[$1]:-}" ]; then
    echo "$windows"
  else
    echo "${level[${1%%/*}]}"
  fi
}

qt_headers=$(qtpaths6 --query QT_INSTALL_HEADERS)
display_headers=$(ls "$qt_headers/QtGui" "$qt_headers/QtWidgets" | grep -v ':$' | sort -u)
declare -A display_header=()
for name in $display_headers; do display_header[$name]=1; done

offences=0
offence() {
  echo "$1" >&2
  offences=$((offences + 1))
}

for folder in $(ls src); do
  [ -d "src/$folder" ] || continue
  if [ -z "${level[$folder]:-}" ]; then
    offence "src/$folder: a folder without a level; give it one in $0"
    continue
  fi
done

while IFS= read -r path; do
  file=${path#src/}
  folder=${file%%/*}
  [ -n "${level[$folder]:-}" ] || continue
  own=$(level_of "$file")
  display=${window_file[$file]:-${window_folder[$folder]:-}}
  while IFS=: read -r line include; do
    if [[ $include =~ ^#include\ \"([a-z]+)/([^\"]+)\" ]]; then
      target="${BASH_REMATCH[1]}/${BASH_REMATCH[2]}"
      [ -n "${level[${BASH_REMATCH[1]}]:-}" ] || continue
      theirs=$(level_of "$target")
      if ((theirs > own)); then
        offence "$path:$line: includes $target, which stands above it"
      fi
    elif [ -z "$display" ] && [[ $include =~ ^#include\ \<(Qt[A-Za-z]+/)?([A-Za-z0-9_.]+)\> ]]; then
      module=${BASH_REMATCH[1]}
      name=${BASH_REMATCH[2]}
      if [ "$module" = QtGui/ ] || [ "$module" = QtWidgets/ ] || { [ -z "$module" ] && [ -n "${display_header[$name]:-}" ]; }; then
        offence "$path:$line: includes <$module$name> from Qt Gui or Widgets outside the windows"
      fi
    fi
  done < <(grep -nE '^#include' "$path" || true)
done < <(git ls-files 'src/*.cpp' 'src/*.h')

if ((offences > 0)); then
  echo "$offences include(s) against the folder levels above" >&2
  exit 1
fi
