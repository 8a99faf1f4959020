#!/usr/bin/env bash
# The program under strace in a real X server and a session bus, through start-up and a few
# changes: it must open no file for writing and connect to nothing but the display server and
# the session bus (and the name service cache, which the C library asks for user names).
set -euo pipefail
program=${1:?usage: strace_sandbox.sh PATH/TO/Kandorex}
here=$(cd "$(dirname "$0")" && pwd)

for tool in Xvfb xdotool strace dbus-run-session; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (scripts/test.sh installs it)" >&2; exit 1; }
done

# Run the rest inside a fresh session bus of our own.
if [ -z "${KANDOREX_TEST_INSIDE_BUS:-}" ]; then
    exec dbus-run-session -- env KANDOREX_TEST_INSIDE_BUS=1 "$0" "$@"
fi
bus_path=$(sed -n 's/^unix:\(path\|abstract\)=\([^,]*\).*/\2/p' <<<"${DBUS_SESSION_BUS_ADDRESS:-}")
[ -n "$bus_path" ] || { echo "FAIL: no session bus address: '${DBUS_SESSION_BUS_ADDRESS:-}'" >&2; exit 1; }

# shellcheck source=../../scripts/xvfb.sh
. "$here/../../scripts/xvfb.sh"
start_x_session
display_number=${DISPLAY#:}

strace -f -qq -o "$WORK/trace" \
    -e trace=open,openat,openat2,creat,truncate,rename,renameat,renameat2,unlink,unlinkat,mkdir,mkdirat,socket,connect,bind,sendto \
    "$program" >"$WORK/program.log" 2>&1 &
tracer=$!
X_SESSION_PIDS+=("$tracer")
window=$(wait_for_window)
[ -n "$window" ] || { echo "FAIL: no window appeared" >&2; cat "$WORK/program.log" >&2; exit 1; }
xdotool windowfocus --sync "$window"
# A few changes: a count typed, a refused key, the down count stepped, a model picked.
xdotool key --delay 50 Home shift+End 5 BackSpace Tab Down Tab Tab Down Down
sleep 0.5
# End the program itself; strace ends with it, having written the whole trace.
pkill -TERM -P "$tracer" 2>/dev/null || true
wait "$tracer" 2>/dev/null || true

failures=0
report() { echo "FAIL: $1"; sed 's/^/   /' <<<"$2"; failures=$((failures + 1)); }

# Opened for writing: any open with a write mode or O_CREAT, and creat(), that did not fail.
writes=$(grep -E '(open|openat|openat2)\(.*(O_WRONLY|O_RDWR|O_CREAT|O_TRUNC)|creat\(|truncate\(' "$WORK/trace" |
    grep -v -E '= -1 E[A-Z]+' || true)
[ -z "$writes" ] && echo "PASS: no file opened for writing" || report "files opened for writing" "$writes"

changes=$(grep -E '(rename|renameat2?|unlinkat?|mkdirat?)\(' "$WORK/trace" | grep -v -E '= -1 E[A-Z]+' || true)
[ -z "$changes" ] && echo "PASS: nothing renamed, removed or created" || report "file system changed" "$changes"

# Sockets of any family but local ones.
foreign=$(grep -E 'socket\(' "$WORK/trace" | grep -v -E 'socket\(AF_UNIX' | grep -v -E '= -1 E[A-Z]+' || true)
[ -z "$foreign" ] && echo "PASS: only local sockets" || report "non-local sockets" "$foreign"

# Every connection that went through: the X server or the session bus. The name service cache
# is allowed as the C library's own user lookup.
connections=$(grep -E 'connect\(' "$WORK/trace" | grep -v -E '= -1 E[A-Z]+' || true)
unexpected=$(grep -v -F -e "/tmp/.X11-unix/X$display_number\"" -e "\"$bus_path\"" \
    -e '"/var/run/nscd/socket"' <<<"$connections" | sed '/^$/d' || true)
x_seen=$(grep -c -F "/tmp/.X11-unix/X$display_number\"" <<<"$connections" || true)
[ -z "$unexpected" ] && [ "$x_seen" -gt 0 ] && echo "PASS: connected to the display server and the session bus only" ||
    report "unexpected connections (X seen $x_seen times)" "$unexpected"

sent=$(grep -E 'sendto\(.*(sin_|sin6_)' "$WORK/trace" || true)
[ -z "$sent" ] && echo "PASS: no datagram sent to a network address" || report "network datagrams" "$sent"

if [ "$failures" -ne 0 ]; then
    echo "strace sandbox: $failures failed"
    exit 1
fi
echo "strace sandbox: all checks passed ($(wc -l <"$WORK/trace") calls traced)"
