#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# mapped_port.sh BUILD_DIR QT_PREFIX TEST.exe
# Runs a Qt Test executable under Wine with COM7 mapped to a Linux pseudo-terminal that takes
# whatever is written to it; ZORVIKTA_MAPPED_PORT names the port for the test.
set -euo pipefail
build=$1 qt_prefix=$2 test_exe=$3
# shellcheck source=../../scripts/wine.sh
. "$(dirname "$0")/../../scripts/wine.sh"
# A prefix of its own: mapping the port restarts the Wine server, which other tests must not see.
zorvikta_wine_offscreen_fonts "$build/wine-fonts"
zorvikta_wine_env "$build/wine-ports" "$qt_prefix"
zorvikta_wine_prefix_ready

work=$(mktemp -d)
listener=
cleanup() {
    [ -n "$listener" ] && kill "$listener" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# The line's other end, open for as long as the test runs.
/usr/bin/python3 "$(dirname "$0")/pty_listener.py" "$work/device" "$work/received" 1000000 600 &
listener=$!
for _ in $(seq 100); do [ -f "$work/device" ] && break; sleep 0.1; done
"$ZORVIKTA_WINE" reg add 'HKLM\Software\Wine\Ports' /v COM7 /d "$(cat "$work/device")" /f >/dev/null
zorvikta_wine_restart

status=0
ZORVIKTA_MAPPED_PORT=COM7 "$ZORVIKTA_WINE" "$test_exe" \
    -o "$(zorvikta_wine_path "$work/results.txt"),txt" || status=$?
cat "$work/results.txt"
exit "$status"
