#!/usr/bin/env bash
# check-translations.sh LUPDATE INCLUDE_DIR SOURCE_LIST TS_FILE...
# Every text of the sources has a finished translation in every .ts file, and each file is up
# to date: lupdate reads the sources into a copy of the file, which must come out unchanged
# and hold no unfinished entry. A new text without its translation fails here.
set -euo pipefail
lupdate=$1 includes=$2 sources=$3
shift 3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for ts in "$@"; do
  name=$(basename "$ts")
  cp "$ts" "$work/$name"
  if ! "$lupdate" -no-obsolete -locations none -I "$includes" "@$sources" -ts "$work/$name" \
      >"$work/lupdate.log" 2>&1; then
    cat "$work/lupdate.log" >&2
    exit 1
  fi
  if grep -n -B3 -E 'type="unfinished"|<translation></translation>|<numerusform></numerusform>' "$work/$name" >&2; then
    echo "$name: the entries above have no finished translation" >&2
    status=1
  fi
  if ! diff -u "$ts" "$work/$name" >&2; then
    echo "$name is not up to date with the sources (the changes lupdate makes are above)." >&2
    echo "Run: cmake --build build --target update_translations, then translate what is new." >&2
    status=1
  fi
done
[ $status -eq 0 ] && echo "Translations complete: $*"
exit $status
