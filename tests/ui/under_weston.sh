#!/usr/bin/env bash
# Runs a command (the window tests) as a Wayland client of its own weston, which has a seat, so
# that windows are activated and focused by a real compositor.
set -euo pipefail
for tool in Xvfb weston xdotool; do
    if ! command -v "$tool" >/dev/null; then
        echo "FAIL: $tool is missing; the test command installs it (scripts/test.sh)" >&2
        exit 1
    fi
done
# shellcheck source=../../scripts/weston.sh
. "$(dirname "$0")/../../scripts/weston.sh"
start_weston_session
status=0
QT_QPA_PLATFORM=wayland "$@" || status=$?
exit "$status"
