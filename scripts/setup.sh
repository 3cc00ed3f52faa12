# Shared by scripts/run and scripts/test: install what is missing, configure
# and build. Sourced, not run.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=${BUILD_DIR:-$ROOT/build}

# Packages the editor needs to build and to look right.
BUILD_PACKAGES=(cmake g++ make qt6-base-dev libqt6printsupport6 fonts-comic-neue fonts-liberation)

# can_be_root succeeds when as_root can run a command: as root, or through
# sudo without a password or with someone at the terminal to type it.
can_be_root() {
    [ "$(id -u)" -eq 0 ] && return 0
    command -v sudo >/dev/null 2>&1 || return 1
    sudo -n true 2>/dev/null || [ -t 0 ]
}

as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    elif command -v sudo >/dev/null 2>&1; then
        sudo "$@"
    else
        echo "Ces paquets manquent et il faut être root (ou avoir sudo) pour les installer : ${*: -1}" >&2
        exit 1
    fi
}

# install_missing PACKAGE... installs, with apt-get, the packages that are not
# installed yet; nothing is done when all are there.
install_missing() {
    local missing=()
    local p
    for p in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$p")
        fi
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installation de : ${missing[*]}"
        as_root env DEBIAN_FRONTEND=noninteractive apt-get update -q
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
    fi
}

# configure_and_build [TARGET...] builds those targets, or everything when
# none is named. Configuring puts the delivered documents in the program folder.
configure_and_build() {
    cmake -S "$ROOT" -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo
    if [ $# -gt 0 ]; then
        cmake --build "$BUILD_DIR" --parallel "$(nproc)" --target "$@"
    else
        cmake --build "$BUILD_DIR" --parallel "$(nproc)"
    fi
}
