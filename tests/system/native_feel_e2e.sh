#!/usr/bin/env bash
# The built program in a real X server, as a user of the desktop it was made for would try it:
# real keys, the real clipboard and primary selection, the real pointer and wheel. It checks what
# the first keystroke does, that the list steps from the text shown, that pasted line breaks stay
# out, that the error report hands the focus back with the text selected, that the X server rings
# its bell for a refused key, that a double-click on the link opens one page, and that the mapped
# window carries its icons and the class its desktop entry names.
set -euo pipefail
program=${1:?usage: native_feel_e2e.sh PATH/TO/Kandorex}
here=$(cd "$(dirname "$0")" && pwd)

for tool in Xvfb xdotool xclip xprop xkbevd; do
    if ! command -v "$tool" >/dev/null; then
        echo "FAIL: $tool is missing; the test command installs it (scripts/test.sh)" >&2
        exit 1
    fi
done

# shellcheck source=../../scripts/xvfb.sh
. "$here/../../scripts/xvfb.sh"
start_x_session
# shellcheck source=e2e_checks.sh
. "$here/e2e_checks.sh"

# The desktop's browser, as the program reaches it: xdg-open, here one that notes each address.
mkdir -p "$WORK/bin"
printf '#!/bin/sh\nprintf "%%s\\n" "$*" >>"%s/opened"\n' "$WORK" >"$WORK/bin/xdg-open"
chmod +x "$WORK/bin/xdg-open"
opened_pages() { [ -f "$WORK/opened" ] && wc -l <"$WORK/opened" || echo 0; }

# The X server's bell, as XKB reports it to any client that listens: xkbevd, started when the
# bell is checked and confirmed with a bell of its own. It has been seen to crash now and then, so
# it gets three tries.
cat >"$WORK/xkbevd.cf" <<CONFIG
soundDirectory = "$WORK"
soundCmd = "true"
Bell() shell "echo bell >>$WORK/bells"
CONFIG
bells() { [ -f "$WORK/bells" ] && wc -l <"$WORK/bells" || echo 0; }
start_bell_listener() {
    local attempt before
    for attempt in 1 2 3; do
        xkbevd -cfg "$WORK/xkbevd.cf" >"$WORK/xkbevd.log" 2>&1 &
        bell_listener=$!
        X_SESSION_PIDS+=("$bell_listener")
        sleep 0.5
        before=$(bells)
        xkbbell
        sleep 0.5
        if kill -0 "$bell_listener" 2>/dev/null && [ "$(bells)" -gt "$before" ]; then
            return 0
        fi
        echo "xkbevd attempt $attempt did not hear a test bell" >&2
        kill "$bell_listener" 2>/dev/null || true
    done
    echo "FAIL: xkbevd hears no bell from this X server" >&2
    cat "$WORK/xkbevd.log" >&2
    exit 1
}

PATH="$WORK/bin:$PATH" "$program" >"$WORK/program.log" 2>&1 &
program_pid=$!
X_SESSION_PIDS+=("$program_pid")
window=$(wait_for_window)
[ -n "$window" ] || { echo "FAIL: no window appeared" >&2; cat "$WORK/program.log" >&2; exit 1; }
xdotool windowfocus --sync "$window"
sleep 0.3
eval "$(xdotool getwindowgeometry --shell "$window")" # X, Y of the client area
point_at() { xdotool mousemove --sync $((X + $1)) $((Y + $2)); sleep 0.1; }

# Focus starts in the across box with its 2 selected: the first digit replaces it.
type_text 5
keys Tab Tab
check "first digit after start-up replaces the 2" "总宽度10.16米×总高度3.05米=总面积30.97平方米" "$(copied_line)"

icons=$(xprop -id "$window" _NET_WM_ICON | grep -o 'Icon ([0-9]* x [0-9]*)' | sort -u | tr '\n' ' ')
check "window icons" "Icon (16 x 16) Icon (32 x 32) " "$icons"
wm_class=$(xprop -id "$window" WM_CLASS | sed -n 's/.*= "[^"]*", "\([^"]*\)"/\1/p')
desktop_class=$(sed -n 's/^StartupWMClass=//p' "$here/../../packaging/example.kandorex.Kandorex.desktop")
check "window class is the desktop entry's" "$desktop_class" "$wm_class"

# A typed 9, then the wheel over the box: it steps from 9, not from the entry picked before.
keys shift+Tab shift+Tab
type_text 9
point_at 236 42
xdotool click 5
sleep 0.3
keys Tab Tab
check "wheel steps from the typed 9" "总宽度20.32米×总高度3.05米=总面积61.94平方米" "$(copied_line)"

# A count copied with its line break: the box takes "5" alone.
printf '5\n' | xclip -i -selection clipboard
keys shift+Tab shift+Insert Tab
check "pasted 5 with its line break" "总宽度20.32米×总高度7.62米=总面积154.84平方米" "$(copied_line)"

# The middle button pastes the primary selection's first line into the result box.
printf 'X\nY' | xclip -i -selection primary
point_at 100 92
xdotool click 2
sleep 0.3
line=$(copied_line)
check "middle-button paste took the first line" "yes no" \
    "$([[ $line == *X* ]] && echo yes || echo no) $([[ $line == *Y* ]] && echo yes || echo no)"

# A refused key rings the X server's bell; a digit does not. Should the listener die meanwhile,
# the step is taken again with a new one, so a crash of xkbevd is no verdict on the program.
keys shift+Tab shift+Tab
for attempt in 1 2; do
    start_bell_listener
    before=$(bells)
    keys BackSpace
    sleep 0.3
    after=$(bells)
    type_text 3
    sleep 0.3
    settled=$(bells)
    kill -0 "$bell_listener" 2>/dev/null && break
    echo "xkbevd ended during the bell check; again" >&2
    keys Home shift+End
done
check "Backspace rings the bell" "yes" "$([ "$after" -gt "$before" ] && echo yes || echo no)"
check "a digit rings no bell" "$after" "$settled"
check "bell listener lived through the check" "yes" \
    "$(kill -0 "$bell_listener" 2>/dev/null && echo yes || echo no)"
kill "$bell_listener" 2>/dev/null || true

# A model completed from "LCD 3", then Down: the list steps from LCD 30 to LCD 19.
keys shift+Tab
type_text 'LCD 3'
keys Down
keys shift+Tab
check "Down steps from the completed model" "总宽度1.16米×总高度1.55米=总面积1.79平方米" "$(copied_line)"

# A pasted bad count, its report closed with Return: the box has the focus back with its text
# selected, so a typed 4 replaces abc.
printf 'abc' | xclip -i -selection clipboard
keys shift+Tab shift+Tab shift+Insert
check "report opened" "yes" "$(close_report "$window")"
type_text 4
keys Tab Tab
check "a digit after the report replaces the bad text" "总宽度1.54米×总高度1.55米=总面积2.39平方米" "$(copied_line)"

# One page for a double-click on the link, one more for a later single click, none for the right
# button.
point_at 60 120
xdotool click --repeat 2 --delay 80 1
sleep 1
check "double-click opens one page" "1" "$(opened_pages)"
sleep 1
xdotool click 1
sleep 1
xdotool click 3
sleep 1
check "a later click opens one more, the right button none" "2" "$(opened_pages)"
check "the address opened" "https://www.kandorex.example/" "$(head -n1 "$WORK/opened" 2>/dev/null)"

check "program still running" "yes" "$(kill -0 "$program_pid" 2>/dev/null && echo yes || echo no)"
kill "$program_pid"
wait "$program_pid" 2>/dev/null || true

finish_checks "native feel end-to-end" "$WORK/program.log"
