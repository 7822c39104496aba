#!/usr/bin/env bash
# Checks that every tracked C++ source file is as clang-format (the root .clang-format) leaves
# it; prints the places that differ and exits 1 when one does. `clang-format -i FILE` mends one.
set -euo pipefail
source "$(dirname "$0")/setup.sh"
tq_ensure_packages "${TQ_CHECK_PACKAGES[@]}"
cd "$TQ_ROOT"
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
