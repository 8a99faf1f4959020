#!/usr/bin/env bash
# What a newcomer meets: a clean clone of a branch on a minimal Debian (debootstrap minbase),
# where the README's run command opens the window and its test command passes, once as root and
# once as a user with password-less sudo, each from a fresh copy of the minimal root and with a
# clean environment; and (--as package) where the README's packaging commands build, install and
# start the package. Run on a Debian host as root (debootstrap, chroot and mounts need it).
#
#   scripts/check-minimal-root.sh [--suite bookworm|trixie] [--as root|user|package|both|all]
#                                 [--repo PATH_OR_URL] [--branch NAME] [--roots DIR] [--keep]
#                                 [--mirror URL]   (default http://deb.debian.org/debian)
#
# both (the default) is root and user; all adds package. The pristine root is made once as
# ROOTS/SUITE-min and reused; each check works on a copy, ROOTS/SUITE-check-MODE, removed at the
# end unless --keep is given. Logs and a summary go to ROOTS/SUITE-check-*.log.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

suite=bookworm
as=both
repo=""
branch=""
roots=/work/roots
mirror=http://deb.debian.org/debian
keep=""
while [ $# -gt 0 ]; do
    case "$1" in
    --suite) suite=$2; shift 2 ;;
    --as) as=$2; shift 2 ;;
    --repo) repo=$2; shift 2 ;;
    --branch) branch=$2; shift 2 ;;
    --roots) roots=$2; shift 2 ;;
    --mirror) mirror=$2; shift 2 ;;
    --keep) keep=yes; shift ;;
    *) sed -n '2,15s/^# \{0,1\}//p' "$0" >&2; exit 2 ;;
    esac
done
# By default: this checkout and its branch.
[ -n "$repo" ] || repo=$(git -C "$here" rev-parse --show-toplevel)
[ -n "$branch" ] || branch=$(git -C "$here" rev-parse --abbrev-ref HEAD)
case "$as" in
root | user | package) modes=$as ;;
both) modes="root user" ;;
all) modes="root user package" ;;
*) echo "--as is root, user, package, both or all" >&2; exit 2 ;;
esac
[ "$(id -u)" -eq 0 ] || { echo "run this as root: debootstrap, chroot and mount need it" >&2; exit 1; }
for tool in debootstrap git Xvfb xdotool; do
    command -v "$tool" >/dev/null || { echo "$tool is missing on this host" >&2; exit 1; }
done

pristine="$roots/$suite-min"
mkdir -p "$roots"
if [ ! -d "$pristine" ]; then
    echo "making $pristine (debootstrap --variant=minbase $suite $mirror)"
    rm -rf "$pristine.tmp"
    debootstrap --variant=minbase "$suite" "$pristine.tmp" "$mirror" >"$pristine.log" 2>&1 ||
        { tail -n 20 "$pristine.log" >&2; exit 1; }
    mv "$pristine.tmp" "$pristine"
fi

summary="$roots/$suite-check-summary.log"
: >"$summary"
note() { echo "$*" | tee -a "$summary"; }

# The newcomer's window: an Xvfb on this host, whose socket the root shares through the
# abstract namespace (same network namespace).
# shellcheck source=xvfb.sh
. "$here/xvfb.sh"
root_dir=""
mounted=()
unmount_root() {
    local pid i
    [ -n "$root_dir" ] || return 0
    # Whatever the check started inside the root and left behind.
    for pid in /proc/[0-9]*; do
        pid=${pid#/proc/}
        if [ "$(readlink "/proc/$pid/root" 2>/dev/null)" = "$root_dir" ]; then
            kill "$pid" 2>/dev/null || true
        fi
    done
    sleep 1
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
        umount "${mounted[$i]}" 2>/dev/null || umount -l "${mounted[$i]}" || true
    done
    mounted=()
    if [ -z "$keep" ]; then
        rm -rf "$root_dir"
    fi
    root_dir=""
}
x_session_cleanup() { unmount_root; }
start_x_session
trap 'exit 130' INT TERM

mount_root() {
    local target
    mount -t proc proc "$root_dir/proc" && mounted+=("$root_dir/proc")
    mount -t sysfs sys "$root_dir/sys" && mounted+=("$root_dir/sys")
    for target in dev dev/pts; do
        mount --bind "/$target" "$root_dir/$target" && mounted+=("$root_dir/$target")
    done
}

extra_env=()
# The environment of a fresh login: no locale set (minbase has none), the usual PATH.
in_root() { # user, then the command line for bash, run in the clone
    local user=$1 home path as_user=()
    shift
    if [ "$user" = root ]; then
        home=/root
        path=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin
    else
        home=/home/$user
        path=/usr/local/bin:/usr/bin:/bin:/usr/games
        as_user=(--userspec="$user:$user")
    fi
    chroot "${as_user[@]}" "$root_dir" /usr/bin/env -i PATH="$path" HOME="$home" USER="$user" \
        LOGNAME="$user" SHELL=/bin/bash TERM=dumb "${extra_env[@]}" \
        /bin/bash -c "cd ~/kandorex && $*"
}

check_window_command() { # user, log, what, command line that ends in the program
    local user=$1 log=$2 what=$3 pid start window="" _
    shift 3
    start=$(date +%s)
    extra_env=("DISPLAY=$DISPLAY")
    in_root "$user" "$@" >"$log" 2>&1 &
    pid=$!
    extra_env=()
    # Installing and building come first: wait while it works, up to 40 minutes.
    for _ in $(seq 480); do
        # By the caption's ASCII start: without a locale the legacy WM_NAME holds the Chinese
        # part as Latin-1 (the caption itself is checked through getwindowname below).
        window=$(xdotool search --name '^Kandorex-1\.2 ' 2>/dev/null | head -n1 || true)
        [ -n "$window" ] && break
        kill -0 "$pid" 2>/dev/null || break
        sleep 5
    done
    if [ -n "$window" ]; then
        local caption
        caption=$(xdotool getwindowname "$window")
        if [ "$caption" = 'Kandorex-1.2 拼接电视墙  面积计算器' ]; then
            note "  $what: PASS, window \"$caption\" after $(($(date +%s) - start)) s"
        else
            note "  $what: FAIL, a window captioned \"$caption\" after $(($(date +%s) - start)) s"
            window=""
        fi
    else
        note "  $what: FAIL, no window after $(($(date +%s) - start)) s (log: $log)"
        tail -n 20 "$log" | sed 's/^/    /' | tee -a "$summary"
    fi
    # The command ends in the program itself (exec): ending the window's process ends it.
    if [ -n "$window" ]; then
        kill "$(xdotool getwindowpid "$window")" 2>/dev/null || true
    fi
    timeout 20 tail --pid="$pid" -f /dev/null || kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    [ -n "$window" ]
}

check_test_command() { # user, log
    local user=$1 log=$2 start rc=0
    start=$(date +%s)
    extra_env=()
    in_root "$user" ./scripts/test.sh >"$log" 2>&1 || rc=$?
    note "  test.sh: rc=$rc after $(($(date +%s) - start)) s (log: $log)"
    grep -E 'tests passed|tests failed|^\s*[0-9]+ - |\*\*\*Skipped|Not Run|SKIPPED LOUDLY' "$log" |
        sed 's/^/    /' | tee -a "$summary" || true
    [ "$rc" -eq 0 ]
}

failures=0
for mode in $modes; do
    user=$([ "$mode" = user ] && echo newcomer || echo root)
    root_dir="$roots/$suite-check-$mode"
    log="$roots/$suite-check-$mode"
    [ ! -e "$root_dir" ] || { echo "$root_dir exists from an earlier run; remove it first" >&2; exit 1; }
    cp -a "$pristine" "$root_dir"
    cp /etc/resolv.conf "$root_dir/etc/resolv.conf"
    mount_root
    home=/root
    if [ "$user" != root ]; then
        # The machine's owner has set up sudo for the newcomer, and the host name as an installed
        # system has it (sudo looks it up); nothing else is installed.
        grep -q "[[:space:]]$(hostname)\$" "$root_dir/etc/hosts" 2>/dev/null ||
            echo "127.0.1.1 $(hostname)" >>"$root_dir/etc/hosts"
        chroot "$root_dir" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin DEBIAN_FRONTEND=noninteractive \
            sh -c "apt-get -qq update && apt-get install -y -qq sudo && useradd -m -s /bin/bash $user &&
                   echo '$user ALL=(ALL) NOPASSWD:ALL' >/etc/sudoers.d/$user && chmod 440 /etc/sudoers.d/$user" \
            >"$log-setup.log" 2>&1 || { cat "$log-setup.log" >&2; exit 1; }
        home=/home/$user
    fi
    git clone --quiet --branch "$branch" "$repo" "$root_dir$home/kandorex"
    commit=$(git -C "$root_dir$home/kandorex" rev-parse --short HEAD)
    [ "$user" = root ] || chroot "$root_dir" chown -R "$user:$user" "$home/kandorex"
    case "$mode" in
    root) who="as root" ;;
    user) who="as $user with password-less sudo" ;;
    package) who="the README's packaging commands, as root" ;;
    esac
    note "$suite, $who: branch $branch at $commit," \
        "$(date -u +%H:%M) UTC"
    if [ "$mode" = package ]; then
        # As the README gives them, less sudo (minbase has none; this is root).
        check_window_command root "$log-commands.log" "build-dep, dpkg-buildpackage, install, start" \
            'export DEBIAN_FRONTEND=noninteractive && apt-get -qq update && apt-get build-dep -y -qq ./ &&
             dpkg-buildpackage -b -us -uc && apt-get install -y -qq ../kandorex_*_*.deb &&
             exec /usr/bin/Kandorex' || failures=$((failures + 1))
        grep -E 'tests passed|tests failed' "$log-commands.log" | sed 's/^/    /' | tee -a "$summary" || true
    else
        check_window_command "$user" "$log-run.log" run.sh ./scripts/run.sh || failures=$((failures + 1))
        check_test_command "$user" "$log-test.log" || failures=$((failures + 1))
    fi
    unmount_root
done

note "$suite: $failures failed"
[ "$failures" -eq 0 ]
