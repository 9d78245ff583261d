#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Sorvu developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds Sorvu without its tests and packs it as a .deb in build/release/package.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/build-release.sh package
ls -l "${SORVU_BUILD_DIR:-build/release}"/package/sorvu_*.deb
