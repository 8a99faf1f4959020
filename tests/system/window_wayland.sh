#!/usr/bin/env bash
# The built program as a native Wayland client of weston, which has Qt draw the title bars: the
# start line and a typed count read back through the Wayland clipboard, a pasted bad count and its
# report, and every title-bar button of both windows (maximise, a double-click on the title, a
# drag at an edge and at a corner, minimise, close), each leaving the program running at its size.
#
# Where a window is, is taken from weston's screen (what changed against the empty desktop); its
# size and the compositor's requests are taken from the program's own Wayland protocol log.
set -euo pipefail
program=${1:?usage: window_wayland.sh PATH/TO/Kandorex}

for tool in Xvfb weston xdotool xwd convert wl-copy wl-paste; do
    if ! command -v "$tool" >/dev/null; then
        echo "FAIL: $tool is missing; the test command installs it (scripts/test.sh)" >&2
        exit 1
    fi
done

# shellcheck source=../../scripts/weston.sh
. "$(dirname "$0")/../../scripts/weston.sh"
start_weston_session

# shellcheck source=e2e_checks.sh
. "$(dirname "$0")/e2e_checks.sh"
running() { kill -0 "$program_pid" 2>/dev/null && echo yes || echo no; }

# A compositor in between takes a little longer than a bare X server to pass a key on.
keys() { xdotool key --delay 40 "$@"; sleep 0.3; }
type_text() { xdotool type --delay 40 "$1"; sleep 0.3; }
# Weston moves its pointer by the X pointer's motions: start every move from the corner where both
# stop, the top left one (in weston's panel).
park() { xdotool mousemove 0 0; sleep 0.2; }
point() { park; xdotool mousemove "$1" "$2"; sleep 0.3; }
click_at() { point "$1" "$2"; xdotool click 1; sleep 1; }
double_click_at() { point "$1" "$2"; xdotool click --repeat 2 --delay 80 1; sleep 1; }
drag_from() { # x y: press there, pull 120 px right and 90 px down in steps, release
    point "$1" "$2"
    xdotool mousedown 1
    sleep 0.2
    for _ in 1 2 3 4 5 6; do
        xdotool mousemove_relative -- 20 15
        sleep 0.05
    done
    sleep 0.3
    xdotool mouseup 1
    sleep 1
}

# weston's screen as a PNG, with the pointer parked.
screen() {
    park
    xwd -silent -id "$WESTON_WINDOW" | convert xwd:- "$WORK/$1.png"
}
# Waits up to 5 s until the screen differs from BEFORE in a box of SIZE (weston fades new windows
# in), saves the screen as NAME and prints the box.
window_box() { # before name size [ignored]
    local box=""
    for _ in $(seq 10); do
        screen "$2"
        box=$(changed_box "$1" "$2" "${4:-}")
        [ "${box%%+*}" == "$3" ] && break
        sleep 0.4
    done
    echo "$box"
}
# The box that differs between two screens, below the panel (its clock changes, and the pointer
# parked on its launcher may raise a tooltip) and outside
# the rectangle IGNORED ("x0,y0 x1,y1", if given): WxH+X+Y.
changed_box() { # before after [ignored]
    convert "$WORK/$1.png" "$WORK/$2.png" -compose difference -composite -fill black \
        -draw 'rectangle 0,0 1000,60' -draw "rectangle ${3:-0,0 0,0}" -threshold 0 -format '%@' info:
}

# From the program's protocol log (Qt 6.4 writes ids as @N, Qt 6.8 as #N): the surface of the
# last top-level window given TITLE, and the last window geometry that surface committed to.
surface_titled() {
    local toplevel
    toplevel=$(grep -F -- ".set_title(\"$1\")" "$log" | tail -n1 |
        sed -nE 's/.*xdg_toplevel[@#]([0-9]+)\.set_title.*/\1/p')
    [ -n "$toplevel" ] || return 0
    grep -E "get_toplevel\(new id xdg_toplevel[@#]$toplevel\)" "$log" | tail -n1 |
        sed -nE 's/.*xdg_surface[@#]([0-9]+)\.get_toplevel.*/\1/p'
}
geometry_of() {
    [ -n "$1" ] || return 0
    grep -E "xdg_surface[@#]$1\.set_window_geometry\(" "$log" | tail -n1 |
        sed -nE 's/.*set_window_geometry\(-?[0-9]+, -?[0-9]+, ([0-9]+), ([0-9]+)\).*/\1x\2/p'
}
wl_surface_of() {
    [ -n "$1" ] || return 0
    grep -E "get_xdg_surface\(new id xdg_surface[@#]$1, " "$log" | tail -n1 |
        sed -nE 's/.*, wl_surface[@#]([0-9]+)\).*/\1/p'
}
# Whether the keyboard was last given to the window of wl_surface N.
has_keyboard() {
    grep -E 'wl_keyboard[@#][0-9]+\.(enter|leave)\(' "$log" | tail -n1 |
        grep -qE "enter\([0-9]+, wl_surface[@#]$1, "
}
# Gives the keyboard to a window by a click on its title (X Y), and waits up to 5 s for it.
activate() { # x y wl_surface
    has_keyboard "$3" && return 0
    click_at "$1" "$2"
    for _ in $(seq 25); do
        has_keyboard "$3" && return 0
        sleep 0.2
    done
    echo "note: the window did not get the keyboard" >&2
}
protocol_errors() { grep -cE 'wl_display[@#]1\.error|Protocol error' "$log" || true; }

# Copies the result box's line with the keyboard and reads it back; focus must be on the box.
copied_line() {
    keys ctrl+a ctrl+c
    timeout 5 wl-paste --no-newline 2>/dev/null || true
    # wl-paste takes the keyboard for a moment to read the clipboard: take it back.
    sleep 0.3
    activate_main
}
activate_main() { activate $((main_x + 120)) $((main_y + 15)) "$main_wl_surface"; }

# Every title-bar action on a window: NAME SURFACE X Y W H, then the screen its box was found
# against and what was left out there. Minimise and close come later.
title_bar_actions() {
    local name=$1 surface=$2 x=$3 y=$4 w=$5 h=$6 before=$7 ignored=${8:-} size
    size=$(geometry_of "$surface")
    # After each action the pointer passes over the window's lower right part (the report's OK
    # button), which has it drawn again: a window holding a state it does not match is cut off
    # at that frame.
    redraw() { point $((x + w - 50)) $((y + h - 22)); sleep 0.7; }
    # Qt's decoration: close, maximise, minimise, 18 px wide, right to left from 8 px inside.
    click_at $((x + w - 40)) $((y + 15))
    redraw
    check "$name: maximise, still running" yes "$(running)"
    check "$name: maximise, size kept" "$size" "$(geometry_of "$surface")"
    double_click_at $((x + 60)) $((y + 15))
    redraw
    check "$name: double-click on the title, still running" yes "$(running)"
    check "$name: double-click on the title, size kept" "$size" "$(geometry_of "$surface")"
    drag_from $((x + w - 2)) $((y + h / 2))
    redraw
    check "$name: drag at the right edge, still running" yes "$(running)"
    check "$name: drag at the right edge, size kept" "$size" "$(geometry_of "$surface")"
    drag_from $((x + w - 2)) $((y + h - 2))
    redraw
    check "$name: drag at the bottom right corner, still running" yes "$(running)"
    check "$name: drag at the bottom right corner, size kept" "$size" "$(geometry_of "$surface")"
    screen "$name-after"
    check "$name: on screen at its size and place" "${w}x$h+$x+$y" \
        "$(changed_box "$before" "$name-after" "$ignored")"
}

caption='Kandorex-1.2 拼接电视墙  面积计算器'
# Starts the program with its protocol log in $WORK/NAME.log and finds its window: on screen
# against the empty desktop, and in the log.
start_program() { # name
    log="$WORK/$1.log"
    WAYLAND_DEBUG=1 QT_QPA_PLATFORM=wayland "$program" >"$log" 2>&1 &
    program_pid=$!
    X_SESSION_PIDS+=("$program_pid")
    main_surface=""
    for _ in $(seq 100); do
        main_surface=$(surface_titled "$caption")
        [ -n "$main_surface" ] && [ -n "$(geometry_of "$main_surface")" ] && break
        sleep 0.1
    done
    if [ -z "$main_surface" ]; then
        echo "FAIL: the window did not open on weston" >&2
        tail -n 40 "$log" >&2
        exit 1
    fi
    main_size=$(geometry_of "$main_surface")
    main_box=$(window_box desktop main "$main_size")
    IFS='x+' read -r main_w main_h main_x main_y <<<"$main_box"
    main_rect="$main_x,$main_y $((main_x + main_w - 1)),$((main_y + main_h - 1))"
    main_wl_surface=$(wl_surface_of "$main_surface")
    activate_main
}
# From the result box: a pasted bad count in the across box raises the report, titled with the executable's name.
raise_report() {
    wl-copy --foreground abc &
    X_SESSION_PIDS+=("$!")
    sleep 0.5
    activate_main
    keys shift+Tab shift+Tab Home shift+End shift+Insert
    report_surface=""
    for _ in $(seq 50); do
        report_surface=$(surface_titled Kandorex)
        [ -n "$report_surface" ] && [ -n "$(geometry_of "$report_surface")" ] && break
        sleep 0.2
    done
    report_size=$(geometry_of "$report_surface")
    # Against the screen before, less the main window, which shows the pasted text and turns
    # inactive. (Weston puts the report beside it; were they to overlap, the box would be wrong.)
    report_box=$(window_box main report "$report_size" "$main_rect")
    IFS='x+' read -r report_w report_h report_x report_y <<<"$report_box"
}
stop_program() {
    kill "$program_pid" 2>/dev/null || true
    wait "$program_pid" 2>/dev/null || true
}

screen desktop
xdotool windowfocus --sync "$WESTON_WINDOW" 2>/dev/null || true

start_program program
check "application id sent to the compositor" 1 \
    "$(grep -cF '.set_app_id("example.kandorex.Kandorex")' "$log" || true)"
# Qt's title bar and frame around the 393 x 140 window: 3 px each side, 30 px on top.
check "main window size on weston" "399x173" "$main_size"
check "main window on screen at its size" "399x173" "${main_box%%+*}"

# Focus starts in the across box; Tab goes down, result.
keys Tab Tab
check "start-up line" "总宽度4.06米×总高度3.05米=总面积12.39平方米" "$(copied_line)"
keys shift+Tab shift+Tab Home shift+End
type_text 5
keys Tab Tab
check "5 across" "总宽度10.16米×总高度3.05米=总面积30.97平方米" "$(copied_line)"

title_bar_actions "main window" "$main_surface" "$main_x" "$main_y" "$main_w" "$main_h" desktop

raise_report
check "error report opened" yes "$([ -n "$report_size" ] && echo yes || echo no)"
check "report on screen at its size" "$report_size" "${report_box%%+*}"
if [ -n "$report_size" ]; then
    title_bar_actions report "$report_surface" "$report_x" "$report_y" "$report_w" "$report_h" \
        main "$main_rect"
    closed_before=$(grep -cE 'xdg_toplevel[@#][0-9]+\.destroy\(\)' "$log" || true)
    click_at $((report_x + report_w - 17)) $((report_y + 15))
    check "report: close button, still running" yes "$(running)"
    check "report: close button closes it" 1 \
        $(($(grep -cE 'xdg_toplevel[@#][0-9]+\.destroy\(\)' "$log" || true) - closed_before))
fi
activate_main
keys Tab Tab
check "line kept after the report" "总宽度10.16米×总高度3.05米=总面积30.97平方米" "$(copied_line)"
check "no protocol error" 0 "$(protocol_errors)"

# Closed with Return, the report hands the focus back to the across box with its text selected,
# so a typed 4 replaces the bad text.
raise_report
keys Return
sleep 0.5
activate_main
type_text 4
keys Tab Tab
check "a digit after the report replaces the bad text" \
    "总宽度8.13米×总高度3.05米=总面积24.77平方米" "$(copied_line)"

# The close button ends the program normally.
click_at $((main_x + main_w - 17)) $((main_y + 15))
status=running
for _ in $(seq 50); do
    if ! kill -0 "$program_pid" 2>/dev/null; then
        status=0
        wait "$program_pid" 2>/dev/null || status=$?
        break
    fi
    sleep 0.1
done
check "main window: close button ends the program normally" 0 "$status"
[ "$status" == running ] && stop_program

# Minimise hides a window on weston, with nothing there to bring it back: one run for each.
start_program minimise
click_at $((main_x + main_w - 63)) $((main_y + 15))
check "main window: minimise, still running" yes "$(running)"
check "main window: minimise, size kept" "$main_size" "$(geometry_of "$main_surface")"
check "main window: minimise, no protocol error" 0 "$(protocol_errors)"
stop_program

start_program report-minimise
keys Tab Tab
raise_report
if [ -n "$report_size" ]; then
    click_at $((report_x + report_w - 63)) $((report_y + 15))
    check "report: minimise, still running" yes "$(running)"
    check "report: minimise, size kept" "$report_size" "$(geometry_of "$report_surface")"
    check "report: minimise, no protocol error" 0 "$(protocol_errors)"
else
    check "error report opened again" yes no
fi
stop_program

if [ "$failures" -ne 0 ]; then
    echo "window on Wayland: $failures failed"
    for file in "$WORK"/*.log; do
        echo "--- $file"
        grep -E 'error|Protocol|set_maximized|set_minimized|configure\(' "$file" | tail -n 20
    done
    exit 1
fi
echo "window on Wayland: all checks passed"
