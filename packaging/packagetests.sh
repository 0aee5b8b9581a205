#!/usr/bin/env bash
# Checks of the installed files and of the Debian package, one mode per ctest test.
# Exit 0 passes, 1 fails, 77 skips (its tool is not installed; tools/install-deps.sh installs it).
#
#   packagetests.sh manpage   TESSALY MANPAGE   every --option of --help is in the man page, and back
#   packagetests.sh install   BUILD EXPECTED    cmake --install into a temporary root: exactly EXPECTED
#   packagetests.sh desktop   BUILD             desktop-file-validate on the installed entry
#   packagetests.sh appstream BUILD             appstreamcli validate --no-net on the installed metainfo
#   packagetests.sh deb       BUILD DEBDIR      cpack builds the package into DEBDIR
#   packagetests.sh lintian   DEBDIR            lintian reports no errors on it
#   packagetests.sh unpacked  DEBDIR ROUTE      its program, unpacked with dpkg -x, checks ROUTE with exit 0
set -uo pipefail

mode=$1
shift
app_id=ru.vantor.Tessaly
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

skip() { echo "SKIPPED: $*" >&2; exit 77; }
fail() { echo "FAILED: $*" >&2; exit 1; }
need() { command -v "$1" >/dev/null || skip "$1 is not installed (package $2)"; }

# Long options named in a text; man page sources write "-" as "\-".
options() { sed 's/\\-/-/g' | grep -o -- '--[a-z][a-z0-9-]*' | LC_ALL=C sort -u; }

# Installs the build tree with prefix /usr into $scratch/root.
install_root() {
    DESTDIR="$scratch/root" cmake --install "$1" --prefix /usr >"$scratch/install.log" 2>&1 ||
        { cat "$scratch/install.log"; fail "cmake --install"; }
}

deb_of() {
    need dpkg-shlibdeps dpkg-dev # without it packaging_deb skipped too
    local debs=("$1"/tessaly_*.deb)
    [ -f "${debs[0]}" ] || fail "no package in $1 (packaging_deb failed?)"
    echo "${debs[0]}"
}

case $mode in
manpage)
    "$1" --help >"$scratch/help.txt" || fail "$1 --help"
    options <"$scratch/help.txt" >"$scratch/help.opts"
    options <"$2" >"$scratch/man.opts"
    [ -s "$scratch/help.opts" ] || fail "no options found in --help"
    missing=$(comm -23 "$scratch/help.opts" "$scratch/man.opts")
    extra=$(comm -13 "$scratch/help.opts" "$scratch/man.opts")
    [ -z "$missing" ] || fail "named in --help but not in $2 (document them there):" $missing
    [ -z "$extra" ] || fail "named in $2 but not in --help:" $extra
    echo "options in both:" $(cat "$scratch/help.opts")
    ;;
install)
    install_root "$1"
    (cd "$scratch/root" && find . ! -type d | sed 's|^\./||' | LC_ALL=C sort) >"$scratch/files"
    diff -u "$2" "$scratch/files" || fail "installed files differ from $2 (- expected, + installed)"
    [ -x "$scratch/root/usr/bin/tessaly" ] || fail "usr/bin/tessaly is not executable"
    ;;
desktop)
    need desktop-file-validate desktop-file-utils
    install_root "$1"
    desktop-file-validate "$scratch/root/usr/share/applications/$app_id.desktop" ||
        fail "desktop-file-validate reports errors"
    ;;
appstream)
    need appstreamcli appstream
    install_root "$1"
    appstreamcli validate --no-net --explain "$scratch/root/usr/share/metainfo/$app_id.metainfo.xml" ||
        fail "appstreamcli validate reports problems"
    ;;
deb)
    need dpkg-shlibdeps dpkg-dev
    rm -rf "$2" && mkdir -p "$2"
    cpack -G DEB --config "$1/CPackConfig.cmake" -B "$2" || fail "cpack"
    deb=$(deb_of "$2") || exit
    dpkg-deb --info "$deb"
    ;;
lintian)
    need lintian lintian
    deb=$(deb_of "$1") || exit
    lintian --tag-display-limit 0 --display-info "$deb" | tee "$scratch/lintian.txt"
    ! grep -q '^E:' "$scratch/lintian.txt" || fail "lintian reports errors"
    ;;
unpacked)
    need dpkg dpkg
    deb=$(deb_of "$1") || exit
    dpkg -x "$deb" "$scratch/root" || fail "dpkg -x"
    mkdir -p "$scratch/home"
    HOME="$scratch/home" "$scratch/root/usr/bin/tessaly" --check "$2"
    code=$?
    [ $code -eq 0 ] || fail "tessaly --check $2 exited with $code, not 0"
    HOME="$scratch/home" "$scratch/root/usr/bin/tessaly" --check "$scratch/home"
    code=$?
    [ $code -eq 2 ] || fail "tessaly --check on a folder without ost.txt exited with $code, not 2"
    ;;
*)
    fail "unknown mode $mode"
    ;;
esac
exit 0
