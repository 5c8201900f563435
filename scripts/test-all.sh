#!/usr/bin/env bash
# Sets up what is missing and runs every test: the Linux suite under AddressSanitizer and UBSan, the
# Windows DLL's checks under Wine, and each fuzz target for a while. CI runs exactly this.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/test.sh
scripts/windows-test.sh
scripts/fuzz.sh
