# SPDX-License-Identifier: GPL-3.0-or-later
# Shared steps of scripts/run and scripts/test. Sourced, not run.
set -euo pipefail

ZORVIKTA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# The folder a configure preset of CMakePresets.json builds in ($1), as the preset says, through
# the presets it inherits from.
zorvikta_preset_dir() {
    /usr/bin/python3 - "$ZORVIKTA_ROOT" "$1" <<'PY'
import json, sys
root, name = sys.argv[1], sys.argv[2]
with open(f"{root}/CMakePresets.json", encoding="utf-8") as presets:
    configure = {p["name"]: p for p in json.load(presets)["configurePresets"]}
pending = [name]
while pending:
    preset = configure.get(pending.pop(0))
    if preset is None:
        sys.exit(f"CMakePresets.json has no configure preset {name}")
    if "binaryDir" in preset:
        print(preset["binaryDir"].replace("${sourceDir}", root))
        sys.exit(0)
    inherits = preset.get("inherits", [])
    pending += [inherits] if isinstance(inherits, str) else inherits
sys.exit(f"the preset {name} names no build folder")
PY
}

# Where the `default` preset builds.
ZORVIKTA_BUILD_DIR=$(zorvikta_preset_dir default)
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
    local preset=${1:-default} folder
    folder=$(zorvikta_preset_dir "$preset")
    (
        cd "$ZORVIKTA_ROOT"
        if [ ! -f "$folder/CMakeCache.txt" ]; then
            cmake --preset "$preset"
        fi
        cmake --build --preset "$preset" --parallel "$(zorvikta_jobs)"
    )
}

# Prints how many test programs (tst_*) the builds of two presets ($1, $2) register with CTest,
# and those only one of them has.
zorvikta_compare_test_programs() {
    local first second
    first=$(zorvikta_preset_dir "$1")
    second=$(zorvikta_preset_dir "$2")
    /usr/bin/python3 - "$1" "$first" "$2" "$second" <<'PY'
import json, re, subprocess, sys

# The test programs a build folder's CTest entries run, by name; a program run twice (on a
# Russian Windows too, say) counts once.
def programs(folder):
    shown = subprocess.run(["ctest", "--test-dir", folder, "--show-only=json-v1"],
                           check=True, capture_output=True, text=True).stdout
    return {match.group(1) for test in json.loads(shown)["tests"]
            for part in test.get("command", [])
            if (match := re.search(r"[/\\](tst_\w+?)(\.exe)?$", part))}

first, second = programs(sys.argv[2]), programs(sys.argv[4])
print(f"test programs: {len(first)} on {sys.argv[1]}, {len(second)} on {sys.argv[3]}")
for name in sorted(first - second):
    print(f"  only on {sys.argv[1]}: {name}")
for name in sorted(second - first):
    print(f"  only on {sys.argv[3]}: {name}")
PY
}

# As many build jobs as the machine has cores: the build tool's own default runs more.
zorvikta_jobs() {
    nproc
}

# Runs the tests of a preset ($1) with CTest, whose preset says which and how.
zorvikta_ctest() {
    (cd "$ZORVIKTA_ROOT" && ctest --preset "$1")
}
