#!/usr/bin/env bash
# Sets up what is missing, builds everything with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")/.."

K42GUI_WITH_BROWSER=1 scripts/install-deps.sh
scripts/check-format.sh
scripts/check-layers.sh

build=${K42GUI_TEST_BUILD_DIR:-build-test}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DK42GUI_SANITIZE=ON -DK42GUI_BUILD_BENCH=ON >/dev/null
cmake --build "$build" -j"$(nproc)"
scripts/check-link-layers.sh "$build"

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
