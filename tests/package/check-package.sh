#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Sorvu developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the .deb of a build as a distribution and a desktop would: Debian's lintian, the validators of the
# desktop entry and the AppStream metadata, the files where desktops look for them, and a control file that
# pulls what the program loads at run time and nothing for building.
# Usage: check-package.sh BUILD_DIR VERSION
set -euo pipefail
build_dir=$(realpath "$1")
version=$2

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

shopt -s nullglob
packages=("$build_dir"/package/sorvu_*.deb)
[ ${#packages[@]} -eq 1 ] || { echo "check-package: no single sorvu_*.deb in $build_dir/package" >&2; exit 1; }
package=${packages[0]}
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$package" "$root"

echo "== $(basename "$package"): $(stat -c %s "$package") bytes, $(du -sk "$root" | cut -f1) KiB installed"
dpkg-deb -f "$package" Package Version Architecture Installed-Size Depends

# Where desktops, software centres, man and Debian look.
expected=(
    usr/bin/sorvu
    usr/share/applications/org.sorvu.Sorvu.desktop
    usr/share/metainfo/org.sorvu.Sorvu.metainfo.xml
    usr/share/icons/hicolor/scalable/apps/org.sorvu.Sorvu.svg
    usr/share/man/man1/sorvu.1.gz
    usr/share/doc/sorvu/README.md
    usr/share/doc/sorvu/copyright
    usr/share/doc/sorvu/changelog.gz
)
for file in "${expected[@]}"; do
    [ -f "$root/$file" ] || fail "the package lacks /$file"
done
[ -x "$root/usr/bin/sorvu" ] || fail "/usr/bin/sorvu is not executable"
for size in 16 22 24 32 48 64 128 256; do
    png="usr/share/icons/hicolor/${size}x${size}/apps/org.sorvu.Sorvu.png"
    if [ ! -f "$root/$png" ]; then
        fail "the package lacks /$png"
    elif ! file -b "$root/$png" | grep -q "PNG image data, $size x $size,"; then
        fail "/$png is not a $size pixel PNG: $(file -b "$root/$png")"
    fi
done
# Nothing of the build or the tests is shipped.
unexpected=$(cd "$root" && find . -type f | grep -v -E '^\./usr/(bin/sorvu|share/(applications|metainfo|icons|man|doc)/)' || true)
[ -z "$unexpected" ] || fail "files outside the expected places: $unexpected"

echo "== desktop-file-validate"
desktop-file-validate "$root/usr/share/applications/org.sorvu.Sorvu.desktop" || fail "desktop-file-validate"
grep -q '^Icon=org.sorvu.Sorvu$' "$root/usr/share/applications/org.sorvu.Sorvu.desktop" ||
    fail "the desktop entry does not name the installed icon"

echo "== appstreamcli validate (without the network: the screenshots are checked for their form only)"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.sorvu.Sorvu.metainfo.xml" || fail "appstreamcli validate"
grep -q "<release version=\"$version\"" "$root/usr/share/metainfo/org.sorvu.Sorvu.metainfo.xml" ||
    fail "the metadata's newest release is not $version"

echo "== changelog and man page"
changelog_version=$(zcat "$root/usr/share/doc/sorvu/changelog.gz" | head -n 1 | sed -n 's/^sorvu (\([^)]*\)).*/\1/p')
[ "$changelog_version" = "$version" ] || fail "packaging/changelog's newest entry is '$changelog_version', not $version"
man_warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$root/usr/share/man/man1/sorvu.1.gz" 2>&1 >/dev/null || true)
[ -z "$man_warnings" ] || fail "the man page renders with warnings: $man_warnings"

echo "== control: the QML modules and the SVG plugins the program loads, nothing for building"
depends=$(dpkg-deb -f "$package" Depends)
for module in libqt6svg6 qml6-module-qtqml qml6-module-qtqml-models qml6-module-qtqml-workerscript \
    qml6-module-qtquick qml6-module-qtquick-controls qml6-module-qtquick-layouts qml6-module-qtquick-templates \
    qml6-module-qtquick-window libqt6widgets6 libqt6dbus6; do
    grep -q -E "(^|, )$module( |,|$)" <<<"$depends" || fail "Depends lacks $module"
done
if grep -q -E -- '-dev( |,|$)|(^|, )(cmake|g\+\+|ninja-build|qt6-tools-dev-tools|librsvg2-bin)( |,|$)' <<<"$depends"; then
    fail "Depends pulls build tools: $depends"
fi
repeated=$(sed -e 's/ *([^)]*)//g' -e 's/, /\n/g' <<<"$depends" | sort | uniq -d)
[ -z "$repeated" ] || fail "Depends names a package twice: $repeated"
grep -q -E '(^|, )xdg-utils( |,|$)' <<<"$(dpkg-deb -f "$package" Recommends)" ||
    fail "Recommends lacks xdg-utils, without which links open nowhere"

echo "== lintian"
# Errors fail; warnings and notes are shown for whoever reads the log, except those of hardening and
# stripping, which fail too.
lintian_output=$(lintian --fail-on error --display-info "$package" 2>&1) || fail "lintian reports errors"
echo "$lintian_output"
hardening=$(grep -E 'hardening-no-|binary-has-unneeded-section' <<<"$lintian_output" || true)
[ -z "$hardening" ] || fail "the program lacks Debian's hardening or stripping: $hardening"

if [ "$failures" -gt 0 ]; then
    echo "check-package: $failures failures" >&2
    exit 1
fi
echo "check-package: all checks passed"
