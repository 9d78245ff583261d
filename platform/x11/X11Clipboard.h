#pragma once

#include "engine/Clipboard.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QList>
#include <QObject>

#include <memory>
#include <optional>

namespace sorvu {

class X11SelectionReader;

// The X11 CLIPBOARD selection as the engine's clipboard.
//
// The change count grows by one with every QClipboard::changed for the clipboard: Qt emits it for each new
// owner (two copies of the same text are two changes) and, synchronously inside setMimeData, for our own
// write, which is therefore counted when `write` returns.
//
// Reading content another program owns is a round trip to that program. Each read call waits at most
// `readBudgetMilliseconds` for the owner (a large incremental transfer may run longer while its pieces keep
// coming); an owner that does not answer in time makes the content unreadable until the next change, so a
// hung owner costs that wait once, not at every read. Content the program owns is read locally.
class X11Clipboard : public QObject, public Clipboard {
    Q_OBJECT

public:
    static constexpr int readBudgetMilliseconds = 500;

    explicit X11Clipboard(QObject* parent = nullptr);
    ~X11Clipboard() override;

    qint64 changeCount() const override { return m_changeCount; }
    QList<QUrl> fileURLs() override;
    QHash<QUrl, QString> photoAssetFilenames() override { return {}; }
    bool needsPhotoAuthorization() override { return false; }
    void requestPhotoAuthorization(std::function<void()> completion) override;
    QList<ClipboardImageRef> images() override;
    // The clipboard has no items of its own here: an image offered beside exactly one file stands for that file.
    QList<ClipboardImageRef> imagesForFileURLs(const QList<QUrl>& urls) override;
    std::optional<QString> plainText() override;
    bool write(const ClipboardItem& item) override;
    std::optional<QStringList> offeredTypes() const override;

signals:
    // Another program fetched the content of our write, the one that made the change count
    // `writeChangeCount`, as the given type. Delivered through the event loop, after the fetch.
    void offeredContentFetched(qint64 writeChangeCount, const QString& mimeType);

private:
    // What is known about the content of one change count.
    struct Offer {
        qint64 changeCount = -1;
        std::optional<QList<QByteArray>> targets;
        bool ownerHung = false;
    };

    const Offer& currentOffer(const QDeadlineTimer& deadline) const;
    std::optional<QByteArray> fetch(const QByteArray& target, const QDeadlineTimer& deadline) const;
    std::optional<QList<QUrl>> urlsFromType(const QByteArray& target, const QDeadlineTimer& deadline) const;
    ClipboardImageRef firstImage(const QDeadlineTimer& deadline) const;

    qint64 m_changeCount = 0;
    mutable Offer m_offer;
    mutable std::unique_ptr<X11SelectionReader> m_reader;
};

} // namespace sorvu
