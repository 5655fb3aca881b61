#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# console_output.sh BUILD_DIR QT_PREFIX ZVK_EXE LOCALE
# zvk.exe in a console of cmd, under Wine on a pseudo-terminal, on the Windows LOCALE gives
# (C.UTF-8: English, console code page 437; ru_RU.UTF-8: Russian, 866): a Cyrillic file name and
# a Russian message come out as their letters, and the console's code page is the same after zvk
# as before. Redirected to a file, the output is UTF-8. (Wine hands a console's text to the
# terminal in the host locale's encoding, UTF-8 in both.)
set -euo pipefail
build=$1 qt_prefix=$2 zvk=$3 locale=$4
# shellcheck source=../../scripts/wine.sh
. "$(dirname "$0")/../../scripts/wine.sh"
zorvikta_wine_locale "$locale" "$build/locales"
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
    script -qec "$ZORVIKTA_WINE cmd /c '$1'" /dev/null </dev/null |
        sed 's/\x1b\[[0-9;?]*[A-Za-z]//g; s/[ \r]//g'
}

case $locale in
ru_*) console_code_page=866 ;;
*) console_code_page=437 ;;
esac
shown=$(console "chcp & $program show $pattern & $program speed 100 --device COM9 & chcp")
grep -qF "огни.zvk" <<<"$shown" || fail "the file name is garbled: $shown"
grep -qF "Неудалосьоткрытьустройство«COM9»" <<<"$shown" || fail "the port error is garbled: $shown"
code_page_line=":$console_code_page\$"
grep -q "$code_page_line" <<<"$shown" || fail "no code page $console_code_page shown: $shown"
[ "$(grep -c "$code_page_line" <<<"$shown")" -eq 2 ] ||
    fail "zvk left the console's code page changed: $shown"

"$ZORVIKTA_WINE" "$zvk" show "$pattern" >"$work/shown.txt" || fail "zvk show failed"
grep -qF "огни.zvk" "$work/shown.txt" || fail "redirected output is not UTF-8: $(od -c "$work/shown.txt" | head)"
echo "zvk.exe in a console and redirected checked"
