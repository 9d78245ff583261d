#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Sorvu developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing and builds the given target of Sorvu without its tests, in $SORVU_BUILD_DIR
# (default build/release). The build that running and packaging share.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
build_dir=${SORVU_BUILD_DIR:-build/release}
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSORVU_BUILD_TESTS=OFF -DSORVU_BUILD_BENCH=OFF
cmake --build "$build_dir" --parallel 2 --target "$1"
