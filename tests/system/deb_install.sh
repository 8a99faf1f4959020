#!/usr/bin/env bash
# Builds the Debian package, installs it on this machine with its declared dependencies, starts
# the installed program in a real X server, and removes the package again (unless it was there
# before). Needs root, as installing a package does.
set -euo pipefail
build=${1:?usage: deb_install.sh BUILD_DIR}
here=$(cd "$(dirname "$0")" && pwd)

if [ "$(id -u)" -ne 0 ]; then
    echo "SKIPPED LOUDLY: installing a .deb needs root; run the test command as root to cover it" >&2
    exit 77
fi

# shellcheck source=../../scripts/xvfb.sh
. "$here/../../scripts/xvfb.sh"
installed_here=""
x_session_cleanup() {
    if [ -n "$installed_here" ]; then
        DEBIAN_FRONTEND=noninteractive dpkg -r kandorex >/dev/null 2>&1
    fi
}
start_x_session

(cd "$build" && cpack -G DEB -B "$WORK" >"$WORK/cpack.log") || {
    cat "$WORK/cpack.log" >&2
    exit 1
}
deb=$(ls "$WORK"/kandorex_*.deb)
echo "built $(basename "$deb")"
echo "declared: $(dpkg-deb -f "$deb" Depends)"
for dependency in libqt6widgets6 fonts-arphic-ukai; do
    dpkg-deb -f "$deb" Depends | grep -q "$dependency" || { echo "FAIL: $dependency not declared"; exit 1; }
done

dpkg-query -W -f='${Status}' kandorex 2>/dev/null | grep -q 'install ok installed' || installed_here=yes
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$deb" >"$WORK/apt.log" 2>&1 || {
    cat "$WORK/apt.log" >&2
    exit 1
}
for file in /usr/bin/Kandorex /usr/share/applications/example.kandorex.Kandorex.desktop \
    /usr/share/metainfo/example.kandorex.Kandorex.metainfo.xml \
    /usr/share/icons/hicolor/16x16/apps/example.kandorex.Kandorex.png \
    /usr/share/icons/hicolor/32x32/apps/example.kandorex.Kandorex.png \
    /usr/share/icons/hicolor/scalable/apps/example.kandorex.Kandorex.svg; do
    [ -e "$file" ] || { echo "FAIL: $file not installed"; exit 1; }
done
echo "PASS: installed with its files"

/usr/bin/Kandorex >"$WORK/program.log" 2>&1 &
X_SESSION_PIDS+=($!)
window=$(wait_for_window)
[ -n "$window" ] || { echo "FAIL: the installed program showed no window"; cat "$WORK/program.log"; exit 1; }
echo "PASS: the installed program opened its window"
