#!/usr/bin/env bash
# Sets up what is missing, builds the component and the inspector, and shows
# what a display control sees of the shipped demo device. Extra arguments go
# to the inspector (e.g. --language de --format html -o demo.html).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh >&2

build=${K42GUI_DEMO_BUILD_DIR:-build-demo}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DK42GUI_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target k42gui-inspect >&2

exec "$build/tools/k42gui-inspect" "$@" examples/demo/demo.xml examples/demo/demo_loc.xml
