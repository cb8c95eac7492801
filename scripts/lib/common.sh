# Shared set-up for scripts/play, scripts/package and scripts/test: packages, SFML 3, configure, build.
# Sourced, not run. Every step checks first and does nothing when its work is already done,
# so a second run neither downloads nor rebuilds.

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
BUILD_DIR="${HINGEWALK_BUILD_DIR:-$ROOT/build}"
GAME_DIR="$BUILD_DIR/game"
SFML_PREFIX="$ROOT/third_party/sfml3"

say() { printf '\033[1m==> %s\033[0m\n' "$*"; }
die() { printf 'error: %s\n' "$*" >&2; exit 1; }

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Debian packages that building and running the game need, with its data generators (font,
# icon, music, sound effects, voices): what scripts/play and scripts/package install.
GAME_PACKAGES=(
    g++ cmake ninja-build libx11-dev ca-certificates
    libgl1 libgl1-mesa-dri libx11-6 libxrandr2 libxcursor1 libxi6 libudev1 libasound2
    libfreetype6 libharfbuzz0b libvorbis0a libvorbisenc2 libvorbisfile3 libogg0
    sox lame imagemagick fonts-dejavu-core python3 python3-fonttools
    flite festival festvox-kallpc16k festvox-us-slt-hts
)
# What the tests, benchmarks, fuzz targets and the bundle check add (scripts/test and the
# other developer scripts).
DEVELOPER_PACKAGES=(
    pkg-config libgtest-dev libbenchmark-dev
    xvfb xauth xdotool x11-utils desktop-file-utils
    clang-14 libclang-rt-14-dev llvm-14 clang-format-14 clang-tidy-14
)

# ensure_packages PACKAGE...: installs those of them that are missing.
ensure_packages() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$pkg")
        fi
    done
    [ "${#missing[@]}" -eq 0 ] && return 0
    say "Installing ${missing[*]}"
    as_root apt-get update
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
}

ensure_developer_packages() {
    ensure_packages "${GAME_PACKAGES[@]}" "${DEVELOPER_PACKAGES[@]}"
}

system_has_sfml3() {
    local cfg
    for cfg in /usr/lib/*/cmake/SFML/SFMLConfigVersion.cmake /usr/lib/cmake/SFML/SFMLConfigVersion.cmake \
        /usr/local/lib/cmake/SFML/SFMLConfigVersion.cmake; do
        [ -f "$cfg" ] && grep -qE 'PACKAGE_VERSION "3\.' "$cfg" && return 0
    done
    return 1
}

# Prints the CMake arguments that select SFML: nothing for a system SFML 3, else the private prefix.
ensure_sfml() {
    if system_has_sfml3; then
        SFML_CMAKE_ARGS=()
        return 0
    fi
    if [ ! -f "$SFML_PREFIX/.complete" ]; then
        say "Fetching SFML 3 and its runtime into third_party/sfml3"
        "$ROOT/scripts/lib/fetch-sfml" "$SFML_PREFIX" || die "could not provide SFML 3 (see the messages above)"
    fi
    SFML_CMAKE_ARGS=("-DHINGEWALK_SFML_PREFIX=$SFML_PREFIX")
}

# configure_build TYPE DIR [-DNAME=VALUE...]: configures DIR unless it is configured already with
# those values (a build the player's set-up configured gains the tests when scripts/test asks).
configure_build() {
    local build_type="$1" dir="$2"
    shift 2
    local wanted=(-DCMAKE_BUILD_TYPE="$build_type" "${SFML_CMAKE_ARGS[@]}" "$@")
    if [ -f "$dir/build.ninja" ] && cache_has "$dir/CMakeCache.txt" "${wanted[@]}"; then
        return 0
    fi
    say "Configuring $dir"
    cmake -S "$ROOT" -B "$dir" -G Ninja "${wanted[@]}"
}

# cache_has CACHE -DNAME=VALUE...: true when each NAME already holds VALUE in CACHE.
cache_has() {
    local cache="$1" arg name value
    shift
    for arg in "$@"; do
        name="${arg#-D}"
        value="${name#*=}"
        name="${name%%=*}"
        awk -v name="$name" -v value="$value" '
            index($0, name ":") == 1 || index($0, name "=") == 1 { sub(/^[^=]*=/, ""); found = ($0 == value) }
            END { exit !found }' "$cache" || return 1
    done
}

configure_and_build() {
    local build_type="${1:-RelWithDebInfo}" dir="${2:-$BUILD_DIR}"
    shift 2 || true
    configure_build "$build_type" "$dir" "$@"
    say "Building $dir"
    cmake --build "$dir"
}

# The sanitized build (build-sanitize/), on the game data the normal build generated.
SANITIZE_DIR="$ROOT/build-sanitize"
configure_sanitized() {
    configure_build Debug "$SANITIZE_DIR" -DHINGEWALK_SANITIZE=ON -DHINGEWALK_DATA_FROM="$GAME_DIR" \
        -DHINGEWALK_TESTS=ON -DHINGEWALK_BENCHMARKS=OFF
}

# How the sanitized programs run. The software OpenGL driver keeps a few bytes until exit; the
# suppressions name it, and they only match with full allocation stacks. The leak checker's own
# scan of thread-local storage trips over the newer C library SFML runs on here, so it skips that
# interception. Use as: env "${SANITIZER_ENV[@]}" COMMAND
SANITIZER_ENV=(ASAN_OPTIONS=fast_unwind_on_malloc=0:intercept_tls_get_addr=0
    LSAN_OPTIONS="suppressions=$ROOT/tests/support/lsan.supp")

# The player's set-up: the game's packages, SFML, and only the game with its data (no tests,
# no tools).
prepare_game() {
    ensure_packages "${GAME_PACKAGES[@]}"
    ensure_sfml
    configure_build RelWithDebInfo "$BUILD_DIR"
    say "Building the game in $BUILD_DIR"
    cmake --build "$BUILD_DIR" --target game
}

# The developers' set-up: everything, tests and benchmarks included.
prepare() {
    ensure_developer_packages
    ensure_sfml
    configure_and_build RelWithDebInfo "$BUILD_DIR" -DHINGEWALK_TESTS=ON -DHINGEWALK_BENCHMARKS=ON
}

# What the developers' builds need, without building.
prepare_tools() {
    ensure_developer_packages
    ensure_sfml
}
