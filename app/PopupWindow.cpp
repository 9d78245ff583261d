// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/PopupController.h"

#include "app/BuildInfo.h"
#include "app/InstalledReadme.h"
#include "app/PasteRequestCoordinator.h"
#include "app/PopupMemory.h"
#include "app/PopupPlacement.h"
#include "dragout/DragOut.h"
#include "engine/ClipboardQueue.h"
#include "engine/Log.h"
#include "platform/Platform.h"
#include "views/PopupRootModel.h"
#include "views/ThemeIconProvider.h"
#include "views/ThumbnailProvider.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQmlExtensionPlugin>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSGRendererInterface>
#include <QScreen>
#include <QTimer>
#include <QtMath>

Q_IMPORT_QML_PLUGIN(Sorvu_ViewsPlugin)

namespace sorvu {

namespace {

const QUrl rootUrl(QStringLiteral("qrc:/sorvu/qml/Sorvu/Views/PopupRoot.qml"));
// Long enough for the closed content's deferred deletion to have run.
constexpr int releaseDelayMilliseconds = 200;

} // namespace

void PopupController::createWindow() {
    // A popup of a few hundred pixels draws fast enough on the processor; OpenGL would load a graphics driver
    // (with Mesa's llvmpipe tens of megabytes) and keep it for the rest of the run. Chosen once, before the
    // first window: later the scene graph is set up and takes no other.
    static const bool softwareChosen = [] {
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
        return true;
    }();
    Q_UNUSED(softwareChosen);
    m_engine = std::make_unique<QQmlEngine>();
    m_engine->addImportPath(QStringLiteral("qrc:/sorvu/qml"));
    m_engine->addImageProvider(QStringLiteral("sorvu-thumbnail"), new ThumbnailProvider(*m_dependencies.queue));
    m_engine->addImageProvider(QStringLiteral("sorvu-symbol"), new ThemeIconProvider(ThemeIconProvider::Kind::symbol));
    m_engine->addImageProvider(QStringLiteral("sorvu-fileicon"),
                               new ThemeIconProvider(ThemeIconProvider::Kind::fileType));
    m_component = std::make_unique<QQmlComponent>(m_engine.get(), rootUrl, QQmlComponent::PreferSynchronous);
    if (m_component->isError()) {
        qCCritical(lcUi).noquote() << m_component->errorString();
    }

    m_window = std::make_unique<QQuickWindow>();
    // A panel of the tray icon: no frame, no taskbar entry, above other windows.
    m_window->setFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    m_window->setTitle(QStringLiteral("Sorvu"));
    connect(m_window.get(), &QWindow::visibleChanged, this, [this](bool visible) {
        if (!visible) {
            popupClosed();
        }
    });
}

void PopupController::buildContent(double minimumQueueListHeight) {
    if (!m_window) {
        createWindow();
    }
    destroyContent();
    QueueScreenModel::Actions actions;
    PopupHost* host = m_dependencies.host;
    actions.paste = [host] { host->pasteFromPopup(); };
    actions.quit = [host] { host->quit(); };
    actions.openSessionHelp = [host] { host->openSessionHelp(); };
    actions.isOverPopup = [this](QPointF point) {
        return m_window && m_window->frameGeometry().contains(point.toPoint());
    };
    actions.canBeginDrag = [self = QPointer<PopupController>(this)] { return !self.isNull(); };
    actions.queueDrainedByDrop = [self = QPointer<PopupController>(this)] {
        if (self) {
            self->closePopup(CloseReason::queueDrained);
        }
    };
    actions.pasteAll = [host](const QString& separator, const QList<QUuid>& expectedIDs,
                              CombineScreenModel::PasteCompletion completion) {
        host->pasteAllFromPopup(separator, expectedIDs, std::move(completion));
    };
    actions.cancelPasteAll = [coordinator = QPointer<PasteRequestCoordinator>(m_dependencies.coordinator)] {
        if (coordinator) {
            coordinator->cancelPendingBulkPaste();
        }
    };
    actions.textJoinStore = m_dependencies.textJoinStore;
    // One drag-out for the queue screen while this content lives.
    DragOut::Dependencies dragOutDependencies;
    dragOutDependencies.dropData = [platform = m_dependencies.platform](const ClipboardItem& item) {
        return platform->makeDropData(item);
    };
    dragOutDependencies.cardFollowsPointer = m_dependencies.platform->canPlaceWindows();
    auto* dragOut = new DragOut(std::move(dragOutDependencies));
    actions.beginDragOut = [dragOut = QPointer<DragOut>(dragOut)](const ClipboardItem& item, QPointF start,
                                                                  QueueScreenModel::DragOutFinished finished) {
        return dragOut && dragOut->begin(item, start, std::move(finished));
    };
    SettingsScreenModel::Dependencies settings;
    settings.shortcutManager = m_dependencies.shortcutManager;
    settings.launchAtLogin = m_dependencies.launchAtLogin;
    settings.globalShortcuts = m_dependencies.globalShortcuts;
    Platform* platform = m_dependencies.platform;
    switch (platform->shortcutSource()) {
    case Platform::ShortcutSource::grabbedKeys:
        settings.shortcutsShown = SettingsScreenModel::ShortcutsShown::recorders;
        break;
    case Platform::ShortcutSource::desktopBindings:
        settings.shortcutsShown = SettingsScreenModel::ShortcutsShown::commands;
        break;
    case Platform::ShortcutSource::desktopPortal:
        settings.shortcutsShown = SettingsScreenModel::ShortcutsShown::desktopTriggers;
        break;
    }
    if (platform->canOpenShortcutSettings()) {
        settings.openShortcutSettings = [platform] { return platform->openShortcutSettings(); };
    }
    if (platform->canWriteShortcutBindings()) {
        settings.writeShortcutBindings = [platform](std::function<void(bool)> done) {
            platform->writeShortcutBindings(std::move(done));
        };
    }
    settings.version = buildInfo().version;
    settings.buildNumber = buildInfo().buildNumber;
    settings.website = websiteUrl();
    // Without xdg-utils the desktop has no program to open the link with; the settings say so.
    settings.openUrl = [self = QPointer<PopupController>(this)](const QUrl& url) {
        if (!QDesktopServices::openUrl(url) && self && self->m_content && self->m_content->settingsScreen()) {
            self->m_content->settingsScreen()->reportLinkNotOpened();
        }
    };
    m_content = new PopupRootModel(*m_dependencies.queue, *m_dependencies.languageStore, QGuiApplication::font(),
                                   minimumQueueListHeight, std::move(actions), std::move(settings), this);
    dragOut->setParent(m_content);
    QObject* created =
        m_component->createWithInitialProperties({{QStringLiteral("root"), QVariant::fromValue(m_content.data())}});
    m_contentItem = qobject_cast<QQuickItem*>(created);
    if (!m_contentItem) {
        qCCritical(lcUi).noquote() << m_component->errorString();
        delete created;
        return;
    }
    m_contentItem->setParentItem(m_window->contentItem());
    const auto fit = [this] {
        if (m_contentItem) {
            const QSize size(qCeil(m_contentItem->width()), qCeil(m_contentItem->height()));
            // A desktop that places windows itself is told the popup has this one size, which a tiling one
            // (sway) takes as a window to float rather than to tile.
            if (!m_dependencies.platform->canPlaceWindows()) {
                m_window->setMinimumSize(size);
                m_window->setMaximumSize(size);
            }
            m_window->resize(size);
            place();
        }
    };
    connect(m_contentItem, &QQuickItem::widthChanged, this, fit);
    connect(m_contentItem, &QQuickItem::heightChanged, this, fit);
    fit();
}

void PopupController::destroyContent() {
    // The window may be delivering an event to the content right now.
    if (m_contentItem) {
        m_contentItem->setParentItem(nullptr);
        m_contentItem->deleteLater();
        m_contentItem = nullptr;
    }
    if (m_content) {
        m_content->deleteLater();
        m_content = nullptr;
    }
}

void PopupController::releaseClosedContent() {
    // The engine and the compiled views stay, so that the next opening is quick; what only the closed content
    // used goes back to the system.
    QTimer::singleShot(releaseDelayMilliseconds, this, [this] {
        if (isShown() || !m_window) {
            return;
        }
        releaseMemoryOfClosedPopup(*m_engine, *m_window);
    });
}

void PopupController::place() {
    // Where the session places windows itself, the popup goes where the desktop puts it.
    if (!m_dependencies.platform->canPlaceWindows()) {
        return;
    }
    const QRect icon = m_dependencies.host->trayIconGeometry();
    const QPoint anchor = icon.isEmpty() ? m_pointerAtOpening : icon.center();
    QScreen* screen = QGuiApplication::screenAt(anchor);
    if (!screen) {
        screen = QGuiApplication::primaryScreen();
    }
    if (!screen) {
        return;
    }
    m_window->setScreen(screen);
    m_window->setPosition(popupPosition(icon, m_window->size(), screen->availableGeometry(), m_pointerAtOpening));
}

} // namespace sorvu
