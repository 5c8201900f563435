#!/usr/bin/env bash
# Fails when a part of the component needs a symbol that only a part above it (or the reader group beside
# it) defines: links each part alone, as a shared library of its own objects on the parts below it, with
# every symbol resolved (the k42-link-layers target of src/CMakeLists.txt).
#
#   scripts/check-link-layers.sh [build directory]   (default: $K42GUI_TEST_BUILD_DIR or build-test)
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-${K42GUI_TEST_BUILD_DIR:-build-test}}
if [[ ! -f $build/CMakeCache.txt ]]; then
  cmake -S . -B "$build" >/dev/null
fi

log=$(mktemp)
trap 'rm -f "$log"' EXIT
if ! cmake --build "$build" -j"$(nproc)" --target k42-link-layers >"$log" 2>&1; then
  # The linker names the part (its library) and each symbol it could not resolve.
  grep -E "undefined reference|_alone|error" "$log" | sed -E 's/^/  /' | head -n 60 >&2 || cat "$log" >&2
  echo "check-link-layers: a part does not link on the parts below it" >&2
  exit 1
fi
echo "check-link-layers: every part links alone on the parts below it"
