#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Sorvu developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes the README's pictures of the popup afresh into docs/screenshots/ (builds first, like the tests).
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=${SORVU_BUILD_DIR:-build/test}
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build_dir" --parallel 2 --target PopupEndToEndTest
SORVU_SCREENSHOT_DIR="$PWD/docs/screenshots" "$build_dir/tests/integration/PopupEndToEndTest" \
    --gtest_filter='*SavesScreenshots*'
