# Shared by scripts/run, scripts/test, scripts/bench and scripts/screenshot: installs what the
# build and the checks need and builds it. Sourced, not run.

PADRIX_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
PADRIX_BUILD="${PADRIX_BUILD:-$PADRIX_ROOT/build}"

# Qt's Linguist tools compile the translations; Qt's own translations, Xvfb, the D-Bus daemon,
# the accessibility bus and its Python client serve the translated window and its test over
# AT-SPI.
PADRIX_PACKAGES=(
    cmake ninja-build g++ pkg-config git clang-format
    qt6-base-dev qt6-base-dev-tools libgl-dev
    libgtest-dev libgmock-dev googletest
    libbenchmark-dev clang libclang-rt-dev
    qt6-svg-dev dpkg-dev file desktop-file-utils appstream man-db
    fonts-liberation poppler-utils lintian
    qt6-l10n-tools qt6-translations-l10n
    xvfb dbus-daemon at-spi2-core python3-pyatspi qt6-qpa-plugins libqt6dbus6
)

# MinGW-w64 (the variant with C++ threads) and Wine, for scripts/portable's Windows build of
# the engine; installed there only, and the build is skipped when they cannot be.
PADRIX_WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64)

# Installs those of the packages named that are missing; apt-get options may come first.
padrix_install_missing() {
    local options=()
    while [ $# -gt 0 ] && [[ "$1" == -* ]]; do
        options+=("$1")
        shift
    done
    local missing=()
    local pkg
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" \
            || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        command -v sudo >/dev/null || { echo "Need root or sudo to install ${missing[*]}" >&2; return 1; }
        sudo=(sudo)
    fi
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq || return 1
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${options[@]}" \
        "${missing[@]}"
}

padrix_install_packages() {
    padrix_install_missing "${PADRIX_PACKAGES[@]}"
}

# Wine's recommendations (32-bit Wine, sound, graphics, fonts) are not needed for console tests.
padrix_install_windows_packages() {
    padrix_install_missing --no-install-recommends "${PADRIX_WINDOWS_PACKAGES[@]}"
}

# A heading for a step of a script's run, with the seconds since the script began.
PADRIX_STARTED=$SECONDS
step() {
    echo "== $* ($((SECONDS - PADRIX_STARTED)) s)"
}

# Runs the whole suite of the build in folder $1, its tests in parallel.
run_suite() {
    ctest --test-dir "$1" --output-on-failure --no-tests=error --timeout 300 \
        --parallel "$(nproc)"
}

# Configures the build folder $1 with the cmake settings that follow, and builds everything.
padrix_build_in() {
    local dir="$1"
    shift
    cmake -S "$PADRIX_ROOT" -B "$dir" -G Ninja "$@" >/dev/null
    cmake --build "$dir" --parallel
}

# The Release build in $PADRIX_BUILD; further cmake settings may follow. It is laid out for
# /usr, as the package installs it (the library folder then has the machine's multiarch name).
padrix_build() {
    padrix_build_in "$PADRIX_BUILD" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr "$@"
}

# Packs the build in folder $1 into a Debian package there and prints the package's path.
padrix_make_package() {
    local dir="$1"
    rm -f "$dir"/padrix-calculator_*.deb
    local log
    log="$(mktemp)"
    if ! (cd "$dir" && cpack -G DEB) >"$log" 2>&1; then
        cat "$log" >&2
        rm -f "$log"
        return 1
    fi
    rm -f "$log"
    local package=("$dir"/padrix-calculator_*.deb)
    echo "${package[0]}"
}
