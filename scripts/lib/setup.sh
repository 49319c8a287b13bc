#!/usr/bin/env bash
# Shared set-up: install missing Debian packages, then configure and build.
# Sourced by scripts/run, scripts/test and scripts/fuzz.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
BUILD_DIR="${BUILD_DIR:-$ROOT/build}"
# ccache (in scripts/packages.txt) keys on paths relative to the clone, so a
# second clone of the same sources builds from the cache.
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$ROOT}"

# Installs the packages of a list file (default scripts/packages.txt) that are
# not installed yet.
install_missing_packages() {
    local list="${1:-$ROOT/scripts/packages.txt}"
    local wanted missing=()
    mapfile -t wanted < <(grep -v -e '^#' -e '^[[:space:]]*$' "$list")
    for pkg in "${wanted[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$pkg")
        fi
    done
    if ((${#missing[@]})); then
        echo "Installing: ${missing[*]}"
        local sudo=()
        if [[ $(id -u) -ne 0 ]]; then sudo=(sudo); fi
        "${sudo[@]}" apt-get update -q
        DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
    fi
}

configure_and_build() {
    local build_type="${1:-Release}"
    shift || true
    local launcher=()
    if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
    # CI exports RUVIVUVAZ_WARNINGS_AS_ERRORS=ON.
    cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE="$build_type" "${launcher[@]}" \
        -DRUVIVUVAZ_WARNINGS_AS_ERRORS="${RUVIVUVAZ_WARNINGS_AS_ERRORS:-OFF}" "$@"
    cmake --build "$BUILD_DIR" --parallel "$(nproc)"
}
