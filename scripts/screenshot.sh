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

work=$(mktemp -d)
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
export DISPLAY=":$(head -n1 "$work/display")" XDG_RUNTIME_DIR="$work"

"$build/Kandorex" &
program=$!
window=$(timeout 15 xdotool search --sync --limit 1 --name 'Kandorex-1.2')
sleep 0.5
geometry=$(xwininfo -id "$window" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
    /Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h "+" x "+" y}')
mkdir -p "$(dirname "$out")"
xwd -root -silent | convert xwd:- -crop "$geometry" +repage "$out"
kill "$program"
echo "wrote $out ($geometry)"
