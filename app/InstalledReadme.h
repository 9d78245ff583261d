// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QUrl>

namespace sorvu {

// The README as a file:// address with the given fragment (a section's anchor, e.g. "session-requirements"):
// the copy installed with the program (<prefix>/share/doc/sorvu/README.md beside <prefix>/bin/sorvu), else the
// source tree's, for a program run from its build folder. When neither is there, the installed place.
QUrl installedReadmeUrl(const QString& fragment = {});

// The same look-up from a given program folder and source README.
QUrl installedReadmeUrl(const QString& executableDirectory, const QString& sourceReadme, const QString& fragment);

// Where users are sent to read about Sorvu: the website the build was configured with, else the README.
QUrl websiteUrl(const QString& fragment = {});

} // namespace sorvu
