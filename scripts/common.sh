# SPDX-License-Identifier: GPL-3.0-or-later
# Shared steps of scripts/run and scripts/test. Sourced, not run.
set -euo pipefail

ZORVIKTA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
ZORVIKTA_BUILD_DIR=${ZORVIKTA_BUILD_DIR:-"$ZORVIKTA_ROOT/build"}
# shellcheck source=packages.sh
. "$ZORVIKTA_ROOT/scripts/packages.sh"

# Installs whichever of the given Debian packages are missing. As root it runs apt-get;
# otherwise it prints the one line to run and stops.
zorvikta_install_missing() {
    local missing=() pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$pkg")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "Some packages are missing. Install them with:" >&2
        echo "  sudo apt-get update && sudo apt-get install -y ${missing[*]}" >&2
        exit 1
    fi
    apt-get update
    DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
}

# Configures once (with Ninja) and builds incrementally after that.
zorvikta_build() {
    if [ ! -f "$ZORVIKTA_BUILD_DIR/CMakeCache.txt" ]; then
        cmake -S "$ZORVIKTA_ROOT" -B "$ZORVIKTA_BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZORVIKTA_WERROR=ON "$@"
    fi
    cmake --build "$ZORVIKTA_BUILD_DIR" --parallel
}
