# Shared by scripts/run and scripts/test: installs what is missing and builds.
# Source it; it defines functions only.

BRINDLECAST_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

BRINDLECAST_PACKAGES=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev libgl-dev fonts-liberation
    unixodbc unixodbc-dev odbc-postgresql
    postgresql postgresql-client
    libgtest-dev libgmock-dev
    python3 python3-dbf python3-dbfread pgdbf
    xvfb xauth imagemagick
)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

ensure_packages() {
    local missing=()
    for p in "${BRINDLECAST_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null
}

# build DIR [cmake options...]
build_tree() {
    local dir=$1
    shift
    cmake -S "$BRINDLECAST_ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
    cmake --build "$dir" --parallel "$(nproc)"
}
