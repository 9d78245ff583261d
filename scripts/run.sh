#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Sorvu developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds Sorvu and starts it in the current X11 session.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/build-release.sh sorvu
exec "${SORVU_BUILD_DIR:-build/release}/app/sorvu" "$@"
