#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Sorvu developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Packs the given build's installed tree as a .deb in <build>/package, replacing an earlier one, so the checks
# after it look at this build and nothing older. Usage: build-package.sh BUILD_DIR
set -euo pipefail
build_dir=$(realpath "$1")

rm -rf "$build_dir/package"
cpack --config "$build_dir/CPackConfig.cmake" -B "$build_dir/package"
shopt -s nullglob
packages=("$build_dir"/package/sorvu_*.deb)
if [ ${#packages[@]} -ne 1 ]; then
    echo "build-package: expected one sorvu_*.deb in $build_dir/package, found ${#packages[@]}" >&2
    exit 1
fi
echo "build-package: $(basename "${packages[0]}"), $(stat -c %s "${packages[0]}") bytes"
