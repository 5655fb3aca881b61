#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Each manual page lists under OPTIONS the very options its program's --help prints.
# Arguments: the folder of the pages, then the programs.
set -euo pipefail
pages=$1
shift

# Words starting with a dash, one a line, sorted; "=", "," and quotes separate words.
option_words() {
    tr '",=' '   ' | tr -s ' ' '\n' | grep -- '^-' | sort -u || true
}
# The option column of --help's "Options:" block; descriptions and their wrapped lines are left out.
help_options() {
    "$1" --help | awk '/^Options:$/ { on = 1; next } on && /^$/ { exit } on' |
        sed -n 's/^  \(-[^ ]*\( [^ ][^ ]*\)*\).*/\1/p' | option_words
}
# The tags of the .TP items between .SH OPTIONS and the next section, with roff's escapes gone.
page_options() {
    awk '/^\.SH / { on = ($2 == "OPTIONS"); next } on && tag { print; tag = 0 } on && /^\.TP/ { tag = 1 }' "$1" |
        sed -e 's/^\.[A-Z]* //' -e 's/\\f[A-Z]//g' -e 's/\\-/-/g' | option_words
}

status=0
for program in "$@"; do
    name=$(basename "$program")
    page=$pages/$name.1
    [ -f "$page" ] || { echo "FAIL: no manual page $page for $name" >&2; status=1; continue; }
    from_help=$(help_options "$program")
    from_page=$(page_options "$page")
    [ -n "$from_help" ] || { echo "FAIL: $name --help lists no options" >&2; status=1; continue; }
    if [ "$from_help" != "$from_page" ]; then
        echo "FAIL: $name: the manual page's options differ from --help (< help, > page):" >&2
        diff <(echo "$from_help") <(echo "$from_page") >&2 || true
        status=1
    fi
done
exit $status
