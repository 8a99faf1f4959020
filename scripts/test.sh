#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: once in an ordinary build
# (with the real-window, strace and package tests), once more with AddressSanitizer and UBSan,
# where the fuzzers also run for a bounded time.
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

sanitize="$root/build-sanitize"
sanitizers="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
cmake -S "$root" -B "$sanitize" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_CXX_FLAGS="$sanitizers" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
    -DKANDOREX_SANITIZE=ON -DKANDOREX_BUILD_FUZZERS=ON -DKANDOREX_BUILD_BENCH=OFF >/dev/null
cmake --build "$sanitize" -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir "$sanitize" --output-on-failure -j "$jobs"
