# Sourced by the scripts that need a real X server: `start_xvfb DIR` starts Xvfb on a free
# display, exports DISPLAY, and leaves its process id in XVFB_PID. DIR holds its files.

start_xvfb() {
    local dir=$1
    exec 3>"$dir/display"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >"$dir/xvfb.log" 2>&1 &
    XVFB_PID=$!
    exec 3>&-
    local _
    for _ in $(seq 200); do
        [ -s "$dir/display" ] && break
        sleep 0.05
    done
    if [ ! -s "$dir/display" ]; then
        echo "FAIL: Xvfb did not start" >&2
        cat "$dir/xvfb.log" >&2
        return 1
    fi
    export DISPLAY=":$(head -n1 "$dir/display")"
    unset QT_QPA_PLATFORM WAYLAND_DISPLAY
    export XDG_RUNTIME_DIR="$dir"
}

# Prints the id of the Kandorex main window once it is mapped, or nothing after 15 s.
wait_for_window() {
    timeout 15 xdotool search --sync --limit 1 --name 'Kandorex-1.2 拼接电视墙  面积计算器' || true
}
