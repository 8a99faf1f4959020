# Sourced, after scripts/xvfb.sh and start_x_session, by the scripts that reach the program over
# the accessibility bus the way a screen reader does.
#
# start_accessibility_bus: a scratch home, a private session bus and the AT-SPI bus on it, all
# inside $WORK and stopped with the X session. The program then starts with its accessibility
# bridge on.

# Runs a command until it succeeds, for at most $1 tenths of a second.
retry_for() {
    local tenths=$1 _
    shift
    for _ in $(seq "$tenths"); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    return 1
}

start_accessibility_bus() {
    local tool
    for tool in dbus-daemon dbus-send /usr/libexec/at-spi-bus-launcher; do
        if ! command -v "$tool" >/dev/null; then
            echo "FAIL: $tool is missing; the test command installs it (scripts/test.sh)" >&2
            return 1
        fi
    done

    # Nothing of the user's own desktop may leak in: settings, caches and buses are all new.
    export HOME="$WORK/home"
    export XDG_CONFIG_HOME="$HOME/.config" XDG_DATA_HOME="$HOME/.local/share"
    export XDG_CACHE_HOME="$HOME/.cache"
    mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME"
    export GSETTINGS_BACKEND=memory
    unset DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS

    exec 4>"$WORK/session-bus"
    dbus-daemon --session --nofork --nopidfile --print-address=4 >"$WORK/dbus.log" 2>&1 &
    X_SESSION_PIDS+=("$!")
    exec 4>&-
    if ! retry_for 100 test -s "$WORK/session-bus"; then
        echo "FAIL: the session bus did not start" >&2
        cat "$WORK/dbus.log" >&2
        return 1
    fi
    DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$WORK/session-bus")
    export DBUS_SESSION_BUS_ADDRESS

    /usr/libexec/at-spi-bus-launcher --launch-immediately >"$WORK/at-spi.log" 2>&1 &
    X_SESSION_PIDS+=("$!")
    if ! retry_for 100 dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
        org.a11y.Bus.GetAddress; then
        echo "FAIL: the accessibility bus did not start" >&2
        cat "$WORK/at-spi.log" >&2
        return 1
    fi
    # The toolkit's bridge otherwise waits for a screen reader to announce itself.
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
}
