# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by each scenario: the program under test is the first argument; the scenario works in
# a fresh folder that goes, with the program, when it ends. A failure keeps the last screenshot.
set -euo pipefail
program=$1
. "$(dirname "${BASH_SOURCE[0]}")/../../scripts/x11-session.sh"

folder=$(mktemp -d)
trap 'x11_stop; rm -rf "$folder"' EXIT
fail() {
    echo "FAIL: $*" >&2
    [ -s "$folder/program.log" ] && tail -n 40 "$folder/program.log" >&2
    if [ -f "$folder/shot.png" ]; then
        cp "$folder/shot.png" "${TMPDIR:-/tmp}/zorvikta-e2e-failure.png"
    fi
    exit 1
}
