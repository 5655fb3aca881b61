# SPDX-License-Identifier: GPL-3.0-or-later
# Shared steps of scripts/run and scripts/test. Sourced, not run.
set -euo pipefail

ZORVIKTA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# Where the `default` preset of CMakePresets.json builds.
ZORVIKTA_BUILD_DIR=$ZORVIKTA_ROOT/build
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

# Configures a preset of CMakePresets.json once and builds it incrementally after that
# ($1: the preset, `default` if not given). The presets hold every build setting.
zorvikta_build() {
    local preset=${1:-default} folder=$ZORVIKTA_BUILD_DIR
    # The presets build in build/ and build-<preset>/.
    [ "$preset" = default ] || folder=$ZORVIKTA_ROOT/build-$preset
    (
        cd "$ZORVIKTA_ROOT"
        if [ ! -f "$folder/CMakeCache.txt" ]; then
            cmake --preset "$preset"
        fi
        cmake --build --preset "$preset" --parallel "$(zorvikta_jobs)"
    )
}

# As many build jobs as the machine has cores: the build tool's own default runs more.
zorvikta_jobs() {
    nproc
}

# Runs the tests of a preset ($1) with CTest, whose preset says which and how.
zorvikta_ctest() {
    (cd "$ZORVIKTA_ROOT" && ctest --preset "$1")
}
