// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace sorvu::test {

// Settings in a file of the test's own, so that a value written can be read back by a fresh QSettings
// the way the next start of the program would read it.
class TemporarySettings : public ::testing::Test {
protected:
    std::shared_ptr<QSettings> openSettings() const {
        return std::make_shared<QSettings>(m_directory.filePath(QStringLiteral("Sorvu.conf")), QSettings::IniFormat);
    }

private:
    QTemporaryDir m_directory;
};

} // namespace sorvu::test
