#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package's whole life on this machine: build it from the build tree, run lintian on
# it, check its contents (desktop entry, metainfo, icons, manual pages, copyright and
# changelogs), install it with apt, ask the desktop's databases about run files, try zvk's
# completion, run the autopkgtests of debian/tests against it, start the installed program
# through its menu entry in a fresh home, purge the package and check that nothing of it is left.
# Whatever happens on the way, the machine ends as it was found.
set -euo pipefail
build=$1
here=$(cd "$(dirname "$0")" && pwd)
icons=$here/../../resources/icons/hicolor
source_tree=$(cd "$here/../.." && pwd)
# shellcheck source=scripts/x11-session.sh source-path=SCRIPTDIR/../..
. "$here/../../scripts/x11-session.sh"

skip() {
    echo "SKIP: $*"
    exit 77
}
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
apt_get() {
    DEBIAN_FRONTEND=noninteractive apt-get -q -y -o DPkg::Lock::Timeout=300 "$@"
}
status_of() {
    dpkg-query -W -f='${db:Status-Status}' "$1" 2>/dev/null || true
}
installed_packages() {
    dpkg-query -W -f='${db:Status-Status} ${Package}:${Architecture}\n' |
        awk '$1 == "installed" { print $2 }' | sort
}

[ "$(id -u)" -eq 0 ] || skip "installing the package needs root (CI runs as root)"
known=$(status_of zorvikta)
[ -z "$known" ] || [ "$known" = not-installed ] ||
    skip "dpkg knows zorvikta already (status $known); that installation is left alone"

work=$(mktemp -d)
# apt reads a local package as its own unprivileged user.
chmod 755 "$work"
installed_packages >"$work/before"

cleanup() {
    x11_stop
    if [ -n "$(status_of zorvikta)" ] && [ "$(status_of zorvikta)" != not-installed ]; then
        apt_get purge zorvikta >/dev/null 2>&1 || echo "could not purge zorvikta" >&2
    fi
    # Dependencies that apt pulled in for the package go too; packages that someone installed
    # by hand meanwhile are marked manual and stay.
    local pulled
    pulled=$(comm -13 "$work/before" <(installed_packages) | xargs -r apt-mark showauto)
    if [ -n "$pulled" ]; then
        # shellcheck disable=SC2086
        apt_get purge $pulled >/dev/null 2>&1 || echo "could not purge $pulled" >&2
    fi
    rm -rf "$work"
}
trap cleanup EXIT

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log" >&2; fail "cpack could not build the package"; }
debs=("$work"/out/zorvikta_*.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
    fail "expected one zorvikta_*.deb, got ${debs[*]}"
fi
deb=${debs[0]}

# Debian's own checks: an error fails, and so does a warning that no override explains.
lintian --fail-on error,warning --tag-display-limit 0 "$deb" >"$work/lintian.log" 2>&1 ||
    { cat "$work/lintian.log" >&2; fail "lintian finds fault with the package"; }

[ "$(dpkg-deb -f "$deb" Package)" = zorvikta ] || fail "the package is not named zorvikta"
version=$(dpkg-deb -f "$deb" Version)
upstream_version=${version%-*}
# The libraries read off the programs, and the font the layout is drawn for.
depends=$(dpkg-deb -f "$deb" Depends)
for dependency in libqt6widgets6 libqt6gui6 libqt6serialport6 fonts-liberation2; do
    [[ ", $depends," =~ ", $dependency"[\ ,] ]] || fail "Depends lacks $dependency: $depends"
done

root=$work/root
dpkg-deb -x "$deb" "$root"
desktop=$root/usr/share/applications/org.example.zorvikta.desktop
[ -f "$desktop" ] || fail "no desktop entry in the package"
desktop-file-validate "$desktop" || fail "the desktop entry does not validate"
metainfo=("$root"/usr/share/metainfo/*.metainfo.xml)
if [ ${#metainfo[@]} -ne 1 ] || [ ! -f "${metainfo[0]}" ]; then
    fail "expected one metainfo file, got ${metainfo[*]}"
fi
# Errors and warnings fail, by the validator's own status; its notes differ from one version of
# appstreamcli to the next and are only shown.
appstreamcli validate --pedantic --no-net --no-color "${metainfo[0]}" >"$work/appstream.log" 2>&1 ||
    { cat "$work/appstream.log" >&2; fail "appstreamcli finds errors or warnings in the metainfo"; }
grep -q '<lang percentage="100">ru</lang>' "${metainfo[0]}" ||
    fail "the metainfo does not give Russian as the interface's language"
screenshot=$(sed -n 's|^ *<image type="source"[^>]*>[^<]*/\([^/<]*\)</image>$|\1|p' "${metainfo[0]}")
if [ -z "$screenshot" ] || [ ! -f "$root/usr/share/zorvikta/screenshots/$screenshot" ]; then
    fail "the metainfo's screenshot '$screenshot' is not in /usr/share/zorvikta/screenshots"
fi
provided=$(sed -n 's|^ *<binary>\(.*\)</binary>$|\1|p' "${metainfo[0]}" | sort)
programs=$(cd "$root/usr/bin" && printf '%s\n' * | sort)
[ "$provided" = "$programs" ] || fail "the metainfo provides $provided, the package has $programs"
# The metainfo names the upstream release, the package's version without its Debian revision.
grep -q "<release version=\"$upstream_version\" date=\"[0-9-]*\"/>" "${metainfo[0]}" ||
    fail "the metainfo's release is not the package's upstream version $upstream_version"
grep -q '<launchable type="desktop-id">org.example.zorvikta.desktop</launchable>' "${metainfo[0]}" ||
    fail "the metainfo does not launch the packaged desktop entry"

doc=$root/usr/share/doc/zorvikta
[ "$(head -n 1 "$doc/copyright")" = \
    "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" ] ||
    fail "the copyright file is not in the machine-readable format"
gzip -t "$doc/changelog.Debian.gz" || fail "no readable changelog.Debian.gz"
changelog_version=$(zcat "$doc/changelog.Debian.gz" | dpkg-parsechangelog -l - -S Version)
[ "$changelog_version" = "$version" ] ||
    fail "the Debian changelog's newest version $changelog_version is not the package's $version"
[[ "$(zcat "$doc/changelog.gz" | head -n 1)" == "Zorvikta $upstream_version ("* ]] ||
    fail "the upstream changelog.gz does not begin with version $upstream_version"

# A manual page for every program, rendered without a warning.
for program in "$root"/usr/bin/*; do
    page=$root/usr/share/man/man1/$(basename "$program").1.gz
    [ -f "$page" ] || fail "no manual page for $(basename "$program")"
    warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null) ||
        fail "man cannot render $(basename "$page"): $warnings"
    [ -z "$warnings" ] || fail "$(basename "$page") renders with warnings: $warnings"
done

exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
[ -x "$root/usr/bin/$exec_name" ] || fail "the menu entry runs $exec_name, not in /usr/bin"
file -b "$root/usr/bin/$exec_name" | grep -q '^ELF .* executable' ||
    fail "/usr/bin/$exec_name is not an executable"
icon=$(sed -n 's/^Icon=//p' "$desktop")
mime_type=$(sed -n 's/^MimeType=\([^;]*\);$/\1/p' "$desktop")
[ -n "$mime_type" ] || fail "the desktop entry names no MIME type"
mime_icon=${mime_type//\//-}
grep -q "<mime-type type=\"$mime_type\">" "$root/usr/share/mime/packages/org.example.zorvikta.xml" ||
    fail "the MIME package does not define $mime_type"
sizes=0
for folder in "$icons"/*x*; do
    size=$(basename "$folder")
    packaged=$root/usr/share/icons/hicolor/$size/apps/$icon.png
    [ -f "$packaged" ] || fail "no $size icon named $icon in the package"
    file -b "$packaged" | grep -q "^PNG image data, ${size/x/ x }," ||
        fail "the $size icon is $(file -b "$packaged")"
    [ -f "$root/usr/share/icons/hicolor/$size/mimetypes/$mime_icon.png" ] ||
        fail "no $size icon for $mime_type in the package"
    sizes=$((sizes + 1))
done
[ "$sizes" -ge 2 ] || fail "only $sizes icon sizes found under $icons"

# Whatever the package brings that the machine lacks now must be gone after the purge.
dpkg-deb --fsys-tarfile "$deb" | tar -t | sed -e 's|^\.||' -e 's|/$||' | grep . >"$work/paths"
: >"$work/new-paths"
while read -r path; do
    [ -e "$path" ] || [ -L "$path" ] || echo "$path" >>"$work/new-paths"
done <"$work/paths"
grep -qx /usr/bin/zorvikta "$work/new-paths" ||
    fail "/usr/bin/zorvikta exists already, not from a package; installing would overwrite it"

apt_get install "$deb" >"$work/apt.log" 2>&1 ||
    { cat "$work/apt.log" >&2; fail "apt-get could not install the package"; }
[ "$(status_of zorvikta)" = installed ] || fail "zorvikta is not installed after apt-get"
while read -r path; do
    [ -e "$path" ] || fail "$path is missing after installing"
done <"$work/paths"

# A file manager asks the installed MIME and desktop databases what a run file is and what
# opens it; a fresh home and no desktop session leave only what the package installed.
mkdir "$work/home"
head -c 128 /dev/zero >"$work/home/x.zvk"
touch "$work/home/notes.txt"
as_new_user() {
    (cd "$work/home" && env -i PATH=/usr/bin:/bin HOME="$work/home" "$@")
}
got=$(as_new_user xdg-mime query filetype x.zvk) || fail "xdg-mime cannot tell the type of x.zvk"
[ "$got" = "$mime_type" ] || fail "xdg-mime takes x.zvk for $got, not $mime_type"
got=$(as_new_user xdg-mime query default "$mime_type") || fail "xdg-mime finds no default for $mime_type"
[ "$got" = org.example.zorvikta.desktop ] || fail "$mime_type opens with '$got'"

# zvk's completion as bash-completion loads it: commands, the options a command takes, run files.
completion=/usr/share/bash-completion/completions/zvk
[ -f "$completion" ] || fail "no bash completion for zvk"
while IFS='|' read -r line expected; do
    got=$(cd "$work/home" && COMP_LINE=$line bash -c '
        . /usr/share/bash-completion/bash_completion && . "$1" || exit 1
        read -ra COMP_WORDS <<<"$COMP_LINE"
        [[ $COMP_LINE == *" " ]] && COMP_WORDS+=("")
        COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
        COMP_POINT=${#COMP_LINE}
        "$(complete -p zvk | sed -n "s/.* -F \([^ ]*\) .*/\1/p")" zvk \
            "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
        echo "${COMPREPLY[*]}"' bash "$completion") || fail "sourcing $completion fails"
    [ "$got" = "$expected" ] || fail "completing '$line' gives '$got', not '$expected'"
done <<'CASES'
zvk s|show speed
zvk show |x.zvk
zvk upload x.zvk --|--help --help-all --version --device --speed
zvk check -|-h --help --help-all -v --version
CASES

# The autopkgtests, as autopkgtest runs them: from the source tree, each with a scratch folder.
tests=$(sed -n 's/^Tests: *//p' "$source_tree/debian/tests/control")
[ -n "$tests" ] || fail "debian/tests/control names no tests"
for test in $tests; do
    mkdir "$work/autopkgtest-$test"
    (cd "$source_tree" && AUTOPKGTEST_TMP=$work/autopkgtest-$test "debian/tests/$test") \
        >"$work/autopkgtest.log" 2>&1 ||
        { cat "$work/autopkgtest.log" >&2; fail "the autopkgtest $test fails"; }
done

# Start what the installed menu entry starts, as a new user would.
menu_exec=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' /usr/share/applications/org.example.zorvikta.desktop)
program=$(command -v "$menu_exec") || fail "the menu entry's $menu_exec is not on PATH"
[ "$program" = /usr/bin/zorvikta ] || fail "the menu entry starts $program"
mkdir "$work/run"
x11_first_start "$program" "$work/run" || fail "the installed program's window did not appear"

wm_class=$(xprop -id "$X11_MAIN" WM_CLASS)
startup_class=$(sed -n 's/^StartupWMClass=//p' /usr/share/applications/org.example.zorvikta.desktop)
[[ "$wm_class" == *"\"$startup_class\""* ]] ||
    fail "the window's $wm_class does not carry the entry's class $startup_class"

read -r left top width height < <(x11_geometry "$X11_MAIN")
# At the design size the bands take the window's lowest 259 pixels; the strip is 89 below them.
strip_y=$((top + height - 259 + 89 + 7))
dark=C0DCC0
lamp=
for _ in $(seq 1 50); do
    import -window root "$work/shot.png"
    lamp=$(x11_pixel "$work/shot.png" $((left + 7)) "$strip_y")
    [ "$lamp" = "$dark" ] && break
    sleep 0.2
done
[ "$lamp" = "$dark" ] || fail "the first lamp is $lamp, not $dark"
for x in $((left + 16 * 3 + 7)) $((left + 64 * 4 + 7)) $((left + 64 * 8 + 16 * 3 + 7)); do
    got=$(x11_pixel "$work/shot.png" "$x" "$strip_y")
    [ "$got" = "$dark" ] || fail "the lamp at x $x is $got, not $dark"
done

x11_stop
wait "$X11_PROGRAM_PID" 2>/dev/null || true
X11_PROGRAM_PID=

apt_get purge zorvikta >"$work/apt.log" 2>&1 ||
    { cat "$work/apt.log" >&2; fail "apt-get could not purge the package"; }
! dpkg -L zorvikta >/dev/null 2>&1 || fail "dpkg still lists files of zorvikta"
left_over=()
while read -r path; do
    if [ -e "$path" ] || [ -L "$path" ]; then
        left_over+=("$path")
    fi
done <"$work/new-paths"
[ ${#left_over[@]} -eq 0 ] || fail "left after the purge: ${left_over[*]}"
echo "package: built, validated, installed, started ($width x $height), purged without a trace"
