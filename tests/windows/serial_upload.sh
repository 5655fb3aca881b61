#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# serial_upload.sh BUILD_DIR QT_PREFIX ZVK_EXE
# zvk.exe under Wine uploads a run file with its speed to COM1, which Wine maps to a Linux
# pseudo-terminal; the bytes on the Linux side must be exactly the upload message, then the speed
# message, built here from the protocol: FF FE, steps 0..117 with their lamps (the upper four
# bits) before the length and the end marker 01 from the length on, then FF speed FF.
set -euo pipefail
build=$1 qt_prefix=$2 zvk=$3
# shellcheck source=../../scripts/wine.sh
. "$(dirname "$0")/../../scripts/wine.sh"
# A prefix of its own: mapping the port restarts the Wine server, which other tests must not see.
zorvikta_wine_env "$build/wine-serial" "$qt_prefix"
zorvikta_wine_prefix_ready

zorvikta_wine_work
work=$ZORVIKTA_WINE_WORK

length=9 speed=230
# Steps with lamps and stray low bits everywhere, also past the length; then the reserved bytes,
# 4 channels, the length and the speed.
/usr/bin/python3 - "$work/pattern.zvk" "$length" "$speed" <<'PY'
import sys
path, length, speed = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
steps = bytes(((i * 7 + 3) % 16) << 4 | (i % 5) for i in range(122))
with open(path, "wb") as out:
    out.write(steps + bytes(3) + bytes([4, length, speed]))
PY
/usr/bin/python3 - "$work/pattern.zvk" "$work/expected" <<'PY'
import sys
record = open(sys.argv[1], "rb").read()
length, speed = record[126], record[127]
upload = bytes([0xFF, 0xFE]) + bytes(record[s] & 0xF0 if s < length else 0x01 for s in range(118))
open(sys.argv[2], "wb").write(upload + bytes([0xFF, speed, 0xFF]))
PY

zorvikta_wine_helper "$work/device" \
    /usr/bin/python3 "$(dirname "$0")/pty_listener.py" "$work/device" "$work/received" 123 120
zorvikta_wine_map_ports COM1="$(cat "$work/device")"

status=0
"$ZORVIKTA_WINE" "$zvk" upload "$(zorvikta_wine_path "$work/pattern.zvk")" --speed --device COM1 \
    || status=$?
wait "$ZORVIKTA_WINE_HELPER" || true
ZORVIKTA_WINE_HELPER=
if [ "$status" -ne 0 ]; then
    echo "zvk.exe upload failed with $status" >&2
    exit 1
fi
if ! cmp -s "$work/expected" "$work/received"; then
    echo "expected: $(od -An -tx1 -v "$work/expected" | tr -s ' \n' ' ')" >&2
    echo "received: $(od -An -tx1 -v "$work/received" | tr -s ' \n' ' ')" >&2
    exit 1
fi
echo "COM1 received the $(stat -c %s "$work/received") bytes of the upload and the speed exactly"
