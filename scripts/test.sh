#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Sorvu developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds Sorvu with its tests (warnings are errors) and runs the whole suite.
# Extra arguments go to ctest, e.g. `scripts/test.sh -L unit`.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
build_dir=${SORVU_BUILD_DIR:-build/test}
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSORVU_WARNINGS_AS_ERRORS=ON
cmake --build "$build_dir" --parallel 2
ctest --test-dir "$build_dir" --output-on-failure --timeout 300 "$@"
