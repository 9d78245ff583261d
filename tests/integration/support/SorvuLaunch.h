// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "tests/integration/support/ChildProcess.h"

#include <QTemporaryDir>

namespace sorvu::test {

// How tests and benchmarks start the real program: a private home inside the given folder (settings,
// stored files, runtime directory), every debug line on, and the log on standard error where they read it.
ChildProcess::Options sorvuLaunchOptions(const QTemporaryDir& home);

// Another program copying: xclip keeps the clipboard until the next copy takes it, then ends.
std::unique_ptr<ChildProcess> startXclipCopy(const QByteArray& data, const QString& type = {});

} // namespace sorvu::test
