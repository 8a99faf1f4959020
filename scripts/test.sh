#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test, the real-window one included.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=deps.sh
. "$root/scripts/deps.sh"

# shellcheck disable=SC2086
kandorex_ensure_packages $KANDOREX_BUILD_PACKAGES $KANDOREX_TEST_PACKAGES

jobs=$(nproc 2>/dev/null || echo 2)
build="$root/build-test"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$jobs"
ctest --test-dir "$build" --output-on-failure -j "$jobs"
