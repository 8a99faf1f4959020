#!/usr/bin/env bash
# Takes the README's picture of the real window: the built program under Xvfb, grabbed with xwd
# and cropped to the window by ImageMagick. Usage: scripts/screenshot.sh [BUILD_DIR] [OUT.png]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
out=${2:-$root/docs/window.png}
# shellcheck source=deps.sh
. "$root/scripts/deps.sh"
kandorex_ensure_packages xvfb x11-apps x11-utils xdotool imagemagick

# shellcheck source=xvfb.sh
. "$root/scripts/xvfb.sh"
start_x_session

"$build/Kandorex" &
X_SESSION_PIDS+=($!)
window=$(wait_for_window)
sleep 0.5
geometry=$(xwininfo -id "$window" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
    /Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h "+" x "+" y}')
mkdir -p "$(dirname "$out")"
xwd -root -silent | convert xwd:- -crop "$geometry" +repage "$out"
echo "wrote $out ($geometry)"
