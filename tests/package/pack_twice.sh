#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The quick Debian package is reproducible: two packs of one build are the same bytes and every
# file in it carries the release day as its time. And a plain cmake --install, as any distribution
# runs it, installs the package's files except those only a Debian package carries.
# Arguments: the build tree and the release date (YYYY-MM-DD).
set -euo pipefail
build=$1
release_epoch=$(date -u -d "$2" +%s)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

pack() {
    env -u SOURCE_DATE_EPOCH cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/$1" \
        >"$work/$1.log" 2>&1 || { cat "$work/$1.log" >&2; fail "cpack could not build the package"; }
    local debs=("$work/$1"/zorvikta_*.deb)
    if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
        fail "expected one zorvikta_*.deb in $1"
    fi
    echo "${debs[0]}"
}

first=$(pack first)
# A second later, so that a time taken from the clock would differ.
sleep 1
second=$(pack second)
cmp "$first" "$second" || fail "two packs of one build differ"

# Every member of the archive and every file in it carries the release day.
times=$( (TZ=UTC ar tv "$first" | awk '{ print $4, $5, $6, $7 }' | sort -u | while read -r stamp; do
    date -u -d "$stamp" +%s
done; dpkg-deb --fsys-tarfile "$first" | tar -tv --numeric-owner --full-time --quoting-style=literal |
    awk '{ print $4 "T" $5 "Z" }' | sort -u | xargs -n 1 date -u +%s -d) | sort -u)
[ "$times" = "$release_epoch" ] ||
    fail "the package's times are ${times//$'\n'/ }, not the release day $release_epoch"

# The files only a Debian package carries; everything else comes from the install rules.
debian_only=$(sort <<'FILES'
/usr/share/doc/zorvikta/changelog.Debian.gz
/usr/share/doc/zorvikta/changelog.gz
/usr/share/doc/zorvikta/copyright
/usr/share/lintian/overrides/zorvikta
FILES
)
DESTDIR=$work/plain cmake --install "$build" --prefix /usr >"$work/install.log" 2>&1 ||
    { cat "$work/install.log" >&2; fail "cmake --install fails"; }
installed=$(cd "$work/plain" && find . ! -type d | sed 's|^\.||' | sort)
packaged=$(dpkg-deb --fsys-tarfile "$first" | tar -t | sed -e 's|^\.||' | grep -v '/$' | sort)
only_packaged=$(comm -13 <(echo "$installed") <(echo "$packaged"))
only_installed=$(comm -23 <(echo "$installed") <(echo "$packaged"))
[ -z "$only_installed" ] || fail "cmake --install installs what the package lacks: $only_installed"
[ "$only_packaged" = "$debian_only" ] ||
    fail "the package differs from a plain install by ${only_packaged//$'\n'/ }, not by ${debian_only//$'\n'/ }"
echo "package.Reproducible: two identical packs, all times $release_epoch; plain install less the Debian files"
