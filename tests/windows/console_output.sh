#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# console_output.sh BUILD_DIR QT_PREFIX ZVK_EXE
# zvk.exe in a console of cmd, under Wine on a pseudo-terminal with the code pages of an English
# system (ANSI 1252, console 437): a Cyrillic file name and a Russian message come out as their
# letters, and the console's code page is the same after zvk as before. Redirected to a file, the
# output is UTF-8. (Wine hands a console's text to the terminal in the host locale's encoding,
# so a Russian Wine locale would need ru_RU.UTF-8 on the host.)
set -euo pipefail
build=$1 qt_prefix=$2 zvk=$3
# shellcheck source=../../scripts/wine.sh
. "$(dirname "$0")/../../scripts/wine.sh"
zorvikta_wine_env "$build/wine" "$qt_prefix"
zorvikta_wine_prefix_ready

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

/usr/bin/python3 - "$work/огни.zvk" <<'PY'
import sys
open(sys.argv[1], "wb").write(bytes([0x80] * 8 + [1] * 114) + bytes(3) + bytes([4, 8, 230]))
PY
pattern=$(zorvikta_wine_path "$work/огни.zvk")
program=$(zorvikta_wine_path "$zvk")

# What a console shows, without Wine's cursor codes; Wine moves the cursor over spaces.
console() {
    LC_ALL=$1 script -qec "$ZORVIKTA_WINE cmd /c '$2'" /dev/null </dev/null |
        sed 's/\x1b\[[0-9;?]*[A-Za-z]//g; s/[ \r]//g'
}

shown=$(console C.UTF-8 "chcp & $program show $pattern & $program speed 100 --device COM9 & chcp")
grep -qF "огни.zvk" <<<"$shown" || fail "the file name is garbled: $shown"
grep -qF "Неудалосьоткрытьустройство«COM9»" <<<"$shown" || fail "the port error is garbled: $shown"
grep -q '^Activecodepage:437$' <<<"$shown" || fail "no code page shown: $shown"
[ "$(grep -c '^Activecodepage:437$' <<<"$shown")" -eq 2 ] ||
    fail "zvk left the console's code page changed: $shown"

"$ZORVIKTA_WINE" "$zvk" show "$pattern" >"$work/shown.txt" || fail "zvk show failed"
grep -qF "огни.zvk" "$work/shown.txt" || fail "redirected output is not UTF-8: $(od -c "$work/shown.txt" | head)"
echo "zvk.exe in a console and redirected checked"
