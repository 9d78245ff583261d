// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/UniqueDescriptor.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QList>
#include <QString>

#include <atomic>

namespace sorvu {

// Where one running Sorvu keeps its copies of copied files: a folder of its own inside the shared storage
// root, locked while the program lives so that another instance's clean-up leaves it alone. Everything is
// reached through directory descriptors and never through a link: a link put in place of the root, its tag
// or an entry must not send a write or a deletion somewhere else.
class StorageDirectory {
public:
    // When a removal gives up and leaves the rest for a later one: once the flag is set (from any thread) or
    // the deadline has passed.
    struct RemovalLimit {
        const std::atomic_bool* stop = nullptr;
        QDeadlineTimer deadline = QDeadlineTimer(QDeadlineTimer::Forever);

        bool isReached() const {
            return (stop != nullptr && stop->load(std::memory_order_relaxed)) || deadline.hasExpired();
        }
    };

    // Describes no folder until prepare() succeeds; the instance name is a folder name in the root.
    StorageDirectory(QString rootPath, QString instanceName);
    ~StorageDirectory();
    StorageDirectory(const StorageDirectory&) = delete;
    StorageDirectory& operator=(const StorageDirectory&) = delete;

    // Makes (or opens) the root, private and tagged for backup tools to skip, and this instance's folder,
    // locked. Zero on success, else the errno: ELOOP when the root is a link, EPERM when another user owns it,
    // EWOULDBLOCK when another instance holds the folder's lock.
    int prepare();
    // Whether the folders prepare() opened are still the ones at their paths (not deleted or replaced).
    bool isCurrent() const;

    const QString& rootPath() const { return m_rootPath; }
    const QString& instanceName() const { return m_instanceName; }
    QString instancePath() const { return m_rootPath + QLatin1Char('/') + m_instanceName; }
    // The instance folder's descriptor; -1 before prepare() succeeds. Owned by this object.
    int instanceDescriptor() const { return m_instanceDescriptor; }
    // Descriptors of their own for work on another thread, which this object may close meanwhile.
    UniqueDescriptor duplicateInstanceDescriptor() const;
    UniqueDescriptor duplicateRootDescriptor() const;

    // The names in the instance folder.
    QList<QByteArray> entryNames() const;
    // Removes an entry of the folder, a whole tree for a folder (read-only folders included), the link
    // alone for a link. False when the limit stopped it before the entry was gone.
    static bool removeEntryAt(int folderDescriptor, const QByteArray& name, const RemovalLimit& limit);
    // Removes the folders in the root that look like Sorvu's (upper-case UUID names) and that no living
    // instance holds. Anything else in the root is left as it is.
    static void removeAbandonedFoldersIn(int rootDescriptor, const QByteArray& ownName, const RemovalLimit& limit);

    static inline const QByteArray tagName = QByteArrayLiteral("CACHEDIR.TAG");
    // The canonical upper-case UUID form that Sorvu gives its folders.
    static bool isSorvuFolderName(const QByteArray& name);
    // Removes everything inside the open folder, making read-only folders writable first. False when the
    // limit stopped it first.
    static bool removeContents(int directoryDescriptor, const RemovalLimit& limit);
    // Appends the names in the open folder (without "." and ".."), as bytes; zero or the errno of the read.
    static int namesIn(int directoryDescriptor, QList<QByteArray>& names);

private:
    void closeDescriptors();
    int openRoot();
    int writeTag() const;
    int openInstanceFolder();

    QString m_rootPath;
    QString m_instanceName;
    int m_rootDescriptor = -1;
    int m_instanceDescriptor = -1;
};

} // namespace sorvu
