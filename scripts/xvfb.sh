# Sourced by the scripts that need a real X server.
#
# start_x_session: makes a scratch folder ($WORK), starts Xvfb on a free display, exports DISPLAY,
# and on exit stops every process listed in X_SESSION_PIDS, runs x_session_cleanup if the script
# defines it, stops Xvfb and removes $WORK.

X_SESSION_PIDS=()

end_x_session() {
    local pid
    for pid in "${X_SESSION_PIDS[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    if declare -F x_session_cleanup >/dev/null; then
        x_session_cleanup || true
    fi
    [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null || true
    [ -n "${WORK:-}" ] && rm -rf "$WORK"
}

start_x_session() {
    WORK=$(mktemp -d)
    trap end_x_session EXIT
    exec 3>"$WORK/display"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >"$WORK/xvfb.log" 2>&1 &
    XVFB_PID=$!
    exec 3>&-
    local _
    for _ in $(seq 200); do
        [ -s "$WORK/display" ] && break
        sleep 0.05
    done
    if [ ! -s "$WORK/display" ]; then
        echo "FAIL: Xvfb did not start" >&2
        cat "$WORK/xvfb.log" >&2
        return 1
    fi
    export DISPLAY=":$(head -n1 "$WORK/display")"
    unset QT_QPA_PLATFORM WAYLAND_DISPLAY
    export XDG_RUNTIME_DIR="$WORK"
}

# Prints the id of the Kandorex main window once it is mapped, or nothing after 15 s. It is found
# by the caption's ASCII start: xdotool searches the legacy WM_NAME, which a program started
# without a locale (LANG unset) fills with the Chinese part as Latin-1.
wait_for_window() {
    timeout 15 xdotool search --sync --limit 1 --name '^Kandorex-1\.2 ' || true
}
