#!/usr/bin/env bash
# The built program in Xvfb with its accessibility bridge on, swept by atspi_sweep.py over the
# accessibility bus: every text item of every text object, then the window and the link still
# work. A browser stand-in records what the link opens.
set -euo pipefail
program=${1:?usage: atspi_sweep.sh PATH/TO/Kandorex}

for tool in Xvfb xdotool python3; do
    if ! command -v "$tool" >/dev/null; then
        echo "FAIL: $tool is missing; the test command installs it (scripts/test.sh)" >&2
        exit 1
    fi
done
if ! /usr/bin/python3 -c 'import pyatspi' 2>/dev/null; then
    echo "FAIL: python3-pyatspi is missing; the test command installs it (scripts/test.sh)" >&2
    exit 1
fi

here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../../scripts/xvfb.sh
. "$here/../../scripts/xvfb.sh"
# shellcheck source=../../scripts/a11y-session.sh
. "$here/../../scripts/a11y-session.sh"
start_x_session
start_accessibility_bus

# The desktop's opener, as the toolkit finds it on PATH, writes down the address instead.
mkdir -p "$WORK/bin"
cat >"$WORK/bin/xdg-open" <<EOF
#!/bin/sh
printf '%s\n' "\$1" >>"$WORK/opened"
EOF
chmod +x "$WORK/bin/xdg-open"

PATH="$WORK/bin:$PATH" "$program" >"$WORK/program.log" 2>&1 &
X_SESSION_PIDS+=("$!")
window=$(wait_for_window)
[ -n "$window" ] || { echo "FAIL: no window appeared" >&2; cat "$WORK/program.log" >&2; exit 1; }
xdotool windowfocus --sync "$window"

status=0
# Bounded as a whole too: 7 boundaries × 3 sides for every offset of four short texts.
timeout 240 /usr/bin/python3 "$here/atspi_sweep.py" || status=$?
[ "$status" -eq 124 ] && echo "FAIL: the sweep did not finish in 240 s"

if [ "$status" -eq 0 ]; then
    retry_for 50 test -s "$WORK/opened" || true
    opened=$(cat "$WORK/opened" 2>/dev/null || true)
    if [ "$opened" == "https://www.kandorex.example/" ]; then
        echo "PASS: the link's action opened the maker's page"
    else
        echo "FAIL: the link's action opened \"$opened\", not the maker's page"
        status=1
    fi
fi
[ "$status" -eq 0 ] && echo "accessibility sweep: all checks passed"
exit "$status"
