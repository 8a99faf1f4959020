#!/usr/bin/env bash
# Installs what is missing, builds the program and opens its window on this display.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=deps.sh
. "$root/scripts/deps.sh"

# shellcheck disable=SC2086
kandorex_ensure_packages $KANDOREX_BUILD_PACKAGES

build="$root/build"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DKANDOREX_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target Kandorex -j "$(nproc 2>/dev/null || echo 2)"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "Built $build/Kandorex, but there is no display to open its window on (DISPLAY is unset)." >&2
    exit 1
fi
exec "$build/Kandorex"
