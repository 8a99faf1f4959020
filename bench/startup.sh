#!/usr/bin/env bash
# Start-up, memory and keystroke figures of the real window under Xvfb, side by side with a bare
# Qt window built in the same tree (the toolkit's floor). Usage: bench/startup.sh BUILD_DIR [RUNS]
set -euo pipefail
build=${1:?usage: bench/startup.sh BUILD_DIR [RUNS]}
runs=${2:-30}
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../scripts/xvfb.sh
. "$here/../scripts/xvfb.sh"
start_x_session

window="$build/bench/kandorex_window_startup"
bare="$build/bench/bare_window_startup"
# One warm-up each, so both start from the same file-system cache; then alternate.
"$bare" "$(date +%s%N)" >/dev/null
"$window" "$(date +%s%N)" >/dev/null
for _ in $(seq "$runs"); do
    "$bare" "$(date +%s%N)" >>"$WORK/bare"
    "$window" "$(date +%s%N)" >>"$WORK/window"
done
"$window" "$(date +%s%N)" keys >"$WORK/keys"

median() { # file key
    sed -n "s/.*$2=\([0-9.]*\).*/\1/p" "$1" | sort -g | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'
}
bare_ms=$(median "$WORK/bare" first_frame_ms)
window_ms=$(median "$WORK/window" first_frame_ms)
bare_kib=$(median "$WORK/bare" peak_rss_kib)
window_kib=$(median "$WORK/window" peak_rss_kib)
echo "runs each: $runs (medians)"
echo "first frame: window ${window_ms} ms, bare floor ${bare_ms} ms, ratio $(awk "BEGIN {printf \"%.2f\", $window_ms / $bare_ms}")"
echo "peak memory: window ${window_kib} KiB, bare floor ${bare_kib} KiB, difference $(((window_kib - bare_kib) / 1024)) MiB ($((window_kib - bare_kib)) KiB)"
echo "keystroke to result line:"
tr ' ' '\n' <"$WORK/keys" | sed 's/^/  /'
