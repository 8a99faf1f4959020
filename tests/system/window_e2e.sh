#!/usr/bin/env bash
# The built program in a real X server, driven by real key events: counts typed, a model picked
# from the list, a refused key, a pasted bad count and its report. The result line is read the
# way a person would take it: selected in the result box and copied to the clipboard.
set -euo pipefail
program=${1:?usage: window_e2e.sh PATH/TO/Kandorex}

for tool in Xvfb xdotool xclip xwininfo; do
    if ! command -v "$tool" >/dev/null; then
        echo "FAIL: $tool is missing; the test command installs it (scripts/test.sh)" >&2
        exit 1
    fi
done

# shellcheck source=../../scripts/xvfb.sh
. "$(dirname "$0")/../../scripts/xvfb.sh"
start_x_session

# shellcheck source=e2e_checks.sh
. "$(dirname "$0")/e2e_checks.sh"

# Toolkit options on the command line are ignored: the window still opens on this X server.
"$program" -platform offscreen -stylesheet "$WORK/none.qss" >"$WORK/program.log" 2>&1 &
program_pid=$!
X_SESSION_PIDS+=("$program_pid")
caption='Kandorex-1.2 拼接电视墙  面积计算器'
window=$(wait_for_window)
[ -n "$window" ] || { echo "FAIL: no window appeared" >&2; cat "$WORK/program.log" >&2; exit 1; }
xdotool windowfocus --sync "$window"
sleep 0.3

check "window caption" "$caption" "$(xdotool getwindowname "$window")"
size=$(xwininfo -id "$window" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')
check "window size" "393x140" "$size"

# Focus starts in the across box; Tab goes down, result, model.
keys Tab Tab
check "start-up line" "总宽度4.06米×总高度3.05米=总面积12.39平方米" "$(copied_line)"

keys shift+Tab shift+Tab Home shift+End
type_text 5
keys Tab Home shift+End
type_text 3
keys Tab
check "5 across, 3 down" "总宽度10.16米×总高度4.57米=总面积46.45平方米" "$(copied_line)"

# Open the model list and pick the tenth entry.
keys Tab alt+Down
keys Down Down Down Down Down Down Down Down Down Return
keys shift+Tab
check "LCD 42 picked from the list" "总宽度4.71米×总高度1.62米=总面积7.62平方米" "$(copied_line)"

# Backspace is refused in a count box; 17 becomes 2.
keys shift+Tab shift+Tab BackSpace
keys Tab Tab
check "Backspace refused" "总宽度4.71米×总高度1.62米=总面积7.62平方米" "$(copied_line)"
keys shift+Tab shift+Tab Home shift+End
type_text 17
keys Tab Tab
check "17 across becomes 2" "总宽度1.88米×总高度1.62米=总面积3.05平方米" "$(copied_line)"

# A pasted bad count: the report, then the window goes on with the box holding it.
printf 'abc' | xclip -i -selection clipboard
keys shift+Tab shift+Tab Home shift+End shift+Insert
check "error report titled Kandorex opened" "yes" "$(close_report "$window")"
check "report closed, program running" "yes" "$(kill -0 "$program_pid" 2>/dev/null && echo yes || echo no)"
keys Tab Tab
check "line kept after the error" "总宽度1.88米×总高度1.62米=总面积3.05平方米" "$(copied_line)"

kill "$program_pid"
wait "$program_pid" 2>/dev/null || true

finish_checks "window end-to-end" "$WORK/program.log"
