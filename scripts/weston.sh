# shellcheck shell=bash
# Sourced by the scripts that need a Wayland compositor with a seat.
#
# start_weston_session: starts an X session (xvfb.sh), then weston inside it with its X11 back
# end, which turns the X server's pointer and keyboard into a Wayland seat that xdotool can
# drive. Exports WAYLAND_DISPLAY (a socket in $WORK, the session's XDG_RUNTIME_DIR) and
# WESTON_WINDOW (weston's X window). Fails loudly, with weston's log, if weston does not come up.

# shellcheck source=xvfb.sh
. "$(dirname "${BASH_SOURCE[0]}")/xvfb.sh"

start_weston_session() {
    start_x_session || return 1
    local socket=kandorex-wayland
    # No weston.ini, no screen lock after idle time: the same desktop on every machine.
    weston --backend=x11-backend.so --use-pixman --no-config --idle-time=0 \
        --socket="$socket" --width=1000 --height=740 >"$WORK/weston.log" 2>&1 &
    WESTON_PID=$!
    X_SESSION_PIDS+=("$WESTON_PID")
    WESTON_WINDOW=$(timeout 15 xdotool search --sync --limit 1 --class '^Weston Compositor$' || true)
    local _
    for _ in $(seq 150); do
        [ -S "$XDG_RUNTIME_DIR/$socket" ] && break
        sleep 0.1
    done
    if [ -z "$WESTON_WINDOW" ] || [ ! -S "$XDG_RUNTIME_DIR/$socket" ] ||
        ! kill -0 "$WESTON_PID" 2>/dev/null; then
        echo "FAIL: weston did not start" >&2
        cat "$WORK/weston.log" >&2
        return 1
    fi
    export WAYLAND_DISPLAY="$socket"
    # The desktop shell's panel is drawn by a client of its own: give it time to appear.
    sleep 1
}
