# Sourced by the run and test scripts: installs the Debian packages a step needs, when missing.
# `apt-get update` runs at most once, and only when something has to be installed.

kandorex_missing_packages() {
    local package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
            printf '%s\n' "$package"
        fi
    done
}

kandorex_ensure_packages() {
    local missing
    missing=$(kandorex_missing_packages "$@" | tr '\n' ' ')
    missing=${missing% }
    [ -z "$missing" ] && return 0

    if ! command -v apt-get >/dev/null 2>&1; then
        echo "Kandorex needs these Debian packages, or their equivalents on this system: $missing" >&2
        return 1
    fi
    local sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        if command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
            sudo="sudo"
        else
            echo "Missing packages. Install them with:" >&2
            echo "  sudo apt-get update && sudo apt-get install -y $missing" >&2
            return 1
        fi
    fi
    echo "Installing: $missing"
    # The lock timeout waits for another apt or dpkg on this machine instead of failing at once.
    local apt="$sudo env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600"
    # shellcheck disable=SC2086
    $apt update -qq && $apt install -y -qq --no-install-recommends $missing
}

# What building and running the window needs.
# The toolkit's translations give its own texts (context menus, the report's buttons) the user's
# language.
KANDOREX_BUILD_PACKAGES="cmake make g++ qt6-base-dev qt6-base-dev-tools libgl-dev fonts-arphic-ukai fonts-wqy-microhei qt6-translations-l10n"
# What the tests need on top: GoogleTest and Google Benchmark; a real X server driven by xdotool,
# with xkbevd to hear its bell; weston with Qt's Wayland platform, the Wayland clipboard tools and
# screenshots (xwd, ImageMagick); strace and a session bus; the desktop-file and AppStream
# validators; the Debian package build (build-essential and debhelper), its checks (lintian, and
# hardening-check from devscripts); clang with its sanitizer and libFuzzer runtimes; the
# accessibility bus, its Python client and the Orca screen reader with speech-dispatcher (whose
# generic module writes speech to a file).
KANDOREX_TEST_PACKAGES="libgtest-dev libbenchmark-dev xvfb xauth xdotool xclip x11-utils x11-xkb-utils weston qt6-wayland wl-clipboard x11-apps imagemagick strace dbus desktop-file-utils appstream build-essential debhelper dpkg-dev file lintian devscripts clang libclang-rt-dev at-spi2-core python3-pyatspi orca speech-dispatcher"
