// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/InstalledReadme.h"

#include "app/BuildInfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace sorvu {

namespace {

QUrl withFragment(QUrl url, const QString& fragment) {
    if (!fragment.isEmpty()) {
        url.setFragment(fragment);
    }
    return url;
}

} // namespace

QUrl installedReadmeUrl(const QString& executableDirectory, const QString& sourceReadme, const QString& fragment) {
    const QString installed =
        QDir::cleanPath(QDir(executableDirectory).filePath(QStringLiteral(SORVU_README_FROM_PROGRAM_FOLDER)));
    const QString found = QFileInfo(installed).isFile() || !QFileInfo(sourceReadme).isFile() ? installed : sourceReadme;
    return withFragment(QUrl::fromLocalFile(found), fragment);
}

QUrl installedReadmeUrl(const QString& fragment) {
    // The program's real folder (links resolved), so a link to it elsewhere still finds its prefix's README.
    return installedReadmeUrl(QCoreApplication::applicationDirPath(), QStringLiteral(SORVU_SOURCE_README), fragment);
}

QUrl websiteUrl(const QString& fragment) {
    if (buildInfo().websiteUrl.isEmpty()) {
        return installedReadmeUrl(fragment);
    }
    return withFragment(QUrl(buildInfo().websiteUrl), fragment);
}

} // namespace sorvu
