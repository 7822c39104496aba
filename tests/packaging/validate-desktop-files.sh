#!/usr/bin/env bash
# validate-desktop-files.sh DESKTOP_ENTRY METAINFO MAN_PAGE...
# The desktop entry, the AppStream metadata and the manual pages, each checked by the tool the
# desktop itself trusts. Exits 77 (skipped) when none of the tools is installed.
set -uo pipefail
desktop_entry=$1 metainfo=$2
shift 2
checked=0 failed=0

if command -v desktop-file-validate >/dev/null; then
  checked=1
  # Hints count too: the entry should give the validator nothing to say.
  report=$(desktop-file-validate "$desktop_entry" 2>&1) || failed=1
  [ -z "$report" ] || { echo "$report"; failed=1; }
else
  echo "desktop-file-validate (desktop-file-utils) is not installed: the desktop entry is not checked"
fi

if command -v appstreamcli >/dev/null; then
  checked=1
  appstreamcli validate --no-net --pedantic "$metainfo" || failed=1
else
  echo "appstreamcli (appstream) is not installed: the AppStream metadata is not checked"
fi

if command -v man >/dev/null; then
  checked=1
  for page in "$@"; do
    # The warnings man gives are the ones lintian reports for a page.
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || { echo "$page: $warnings"; failed=1; }
  done
fi

[ "$checked" = 1 ] || exit 77
exit "$failed"
