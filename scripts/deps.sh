# Sourced by the other scripts: installs the Debian packages Presetor needs, only when missing.
presetor_packages=(
    build-essential cmake ninja-build ccache pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl1-mesa-dev
    qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools
    librtmidi-dev jackd2
    libgtest-dev googletest libbenchmark-dev
    clang libclang-rt-14-dev clang-format lld
    xvfb xauth imagemagick poppler-utils fonts-dejavu-core python3 libx11-dev libxdamage-dev
    lintian appstream desktop-file-utils man-db
    g++-mingw-w64-x86-64-posix wine wine64
)

presetor_install_deps() {
    local missing=()
    local p
    for p in "${presetor_packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        local sudo=""
        [ "$(id -u)" -ne 0 ] && sudo="sudo"
        export DEBIAN_FRONTEND=noninteractive
        # jackd2 asks about real-time priority; answer no without a prompt.
        echo "jackd2 jackd/tweak_rt_limits boolean false" | $sudo debconf-set-selections 2>/dev/null || true
        $sudo apt-get update -q
        $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
    fi
}

# configure + build one tree: presetor_build DIR [cmake options...]
presetor_build() {
    local dir=$1
    shift
    cmake -S "$presetor_root" -B "$presetor_root/$dir" -G Ninja "$@" >/dev/null
    cmake --build "$presetor_root/$dir" -j "$(nproc)"
}

presetor_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export CCACHE_DIR="${CCACHE_DIR:-$presetor_root/.cache/ccache}"
