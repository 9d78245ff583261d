// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/wayland/WaylandDataControl.h"

#include "platform/wayland/WaylandConnection.h"

#include "ext-data-control-v1-client-protocol.h"
#include "wlr-data-control-unstable-v1-client-protocol.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

namespace sorvu {

namespace {

// The two protocols differ in names only: one set of names for each, the code below is shared.
struct ExtProtocol {
    using Manager = ext_data_control_manager_v1;
    using Device = ext_data_control_device_v1;
    using Source = ext_data_control_source_v1;
    using Offer = ext_data_control_offer_v1;
    using DeviceListener = ext_data_control_device_v1_listener;
    using SourceListener = ext_data_control_source_v1_listener;
    using OfferListener = ext_data_control_offer_v1_listener;
    static constexpr const char* name = "ext-data-control-v1";

    static Device* getDevice(Manager* manager, wl_seat* seat) {
        return ext_data_control_manager_v1_get_data_device(manager, seat);
    }
    static Source* createSource(Manager* manager) { return ext_data_control_manager_v1_create_data_source(manager); }
    static void offer(Source* source, const char* type) { ext_data_control_source_v1_offer(source, type); }
    static void setSelection(Device* device, Source* source) {
        ext_data_control_device_v1_set_selection(device, source);
    }
    static void receive(Offer* offer, const char* type, int fd) { ext_data_control_offer_v1_receive(offer, type, fd); }
    static void destroy(Device* device) { ext_data_control_device_v1_destroy(device); }
    static void destroy(Source* source) { ext_data_control_source_v1_destroy(source); }
    static void destroy(Offer* offer) { ext_data_control_offer_v1_destroy(offer); }
    static void listen(Device* device, const DeviceListener* listener, void* data) {
        ext_data_control_device_v1_add_listener(device, listener, data);
    }
    static void listen(Source* source, const SourceListener* listener, void* data) {
        ext_data_control_source_v1_add_listener(source, listener, data);
    }
    static void listen(Offer* offer, const OfferListener* listener, void* data) {
        ext_data_control_offer_v1_add_listener(offer, listener, data);
    }
};

struct WlrProtocol {
    using Manager = zwlr_data_control_manager_v1;
    using Device = zwlr_data_control_device_v1;
    using Source = zwlr_data_control_source_v1;
    using Offer = zwlr_data_control_offer_v1;
    using DeviceListener = zwlr_data_control_device_v1_listener;
    using SourceListener = zwlr_data_control_source_v1_listener;
    using OfferListener = zwlr_data_control_offer_v1_listener;
    static constexpr const char* name = "wlr-data-control-unstable-v1";

    static Device* getDevice(Manager* manager, wl_seat* seat) {
        return zwlr_data_control_manager_v1_get_data_device(manager, seat);
    }
    static Source* createSource(Manager* manager) { return zwlr_data_control_manager_v1_create_data_source(manager); }
    static void offer(Source* source, const char* type) { zwlr_data_control_source_v1_offer(source, type); }
    static void setSelection(Device* device, Source* source) {
        zwlr_data_control_device_v1_set_selection(device, source);
    }
    static void receive(Offer* offer, const char* type, int fd) { zwlr_data_control_offer_v1_receive(offer, type, fd); }
    static void destroy(Device* device) { zwlr_data_control_device_v1_destroy(device); }
    static void destroy(Source* source) { zwlr_data_control_source_v1_destroy(source); }
    static void destroy(Offer* offer) { zwlr_data_control_offer_v1_destroy(offer); }
    static void listen(Device* device, const DeviceListener* listener, void* data) {
        zwlr_data_control_device_v1_add_listener(device, listener, data);
    }
    static void listen(Source* source, const SourceListener* listener, void* data) {
        zwlr_data_control_source_v1_add_listener(source, listener, data);
    }
    static void listen(Offer* offer, const OfferListener* listener, void* data) {
        zwlr_data_control_offer_v1_add_listener(offer, listener, data);
    }
};

template <typename P> class Offer final : public WaylandDataOffer {
public:
    Offer(WaylandConnection& connection, typename P::Offer* proxy) : m_connection(connection), m_proxy(proxy) {
        P::listen(m_proxy, &listener, this);
    }
    ~Offer() override { P::destroy(m_proxy); }
    Offer(const Offer&) = delete;
    Offer& operator=(const Offer&) = delete;

    typename P::Offer* proxy() const { return m_proxy; }
    const QList<QByteArray>& mimeTypes() const override { return m_mimeTypes; }

    UniqueDescriptor receive(const QByteArray& mimeType) override {
        int ends[2] = {-1, -1};
        if (::pipe2(ends, O_CLOEXEC) != 0) {
            return {};
        }
        UniqueDescriptor readEnd(ends[0]);
        const UniqueDescriptor writeEnd(ends[1]);
        // Only our end: the flag belongs to the end, and owners write in blocking mode.
        ::fcntl(readEnd.get(), F_SETFL, ::fcntl(readEnd.get(), F_GETFL) | O_NONBLOCK);
        P::receive(m_proxy, mimeType.constData(), writeEnd.get());
        // The request carries a copy of the write end; it must be on its way before ours closes.
        m_connection.flush();
        return readEnd;
    }

private:
    static void handleOffer(void* data, typename P::Offer*, const char* mimeType) {
        auto* self = static_cast<Offer*>(data);
        const QByteArray type(mimeType);
        if (!self->m_mimeTypes.contains(type)) {
            self->m_mimeTypes.append(type);
        }
    }
    static constexpr typename P::OfferListener listener{.offer = handleOffer};

    WaylandConnection& m_connection;
    typename P::Offer* m_proxy;
    QList<QByteArray> m_mimeTypes;
};

template <typename P> class Source final : public WaylandDataSource {
public:
    explicit Source(typename P::Source* proxy) : m_proxy(proxy) { P::listen(m_proxy, &listener, this); }
    ~Source() override { P::destroy(m_proxy); }
    Source(const Source&) = delete;
    Source& operator=(const Source&) = delete;

    typename P::Source* proxy() const { return m_proxy; }

private:
    static void handleSend(void* data, typename P::Source*, const char* mimeType, int32_t fd) {
        static_cast<Source*>(data)->requestSend(QByteArray(mimeType), UniqueDescriptor(fd));
    }
    static void handleCancelled(void* data, typename P::Source*) { static_cast<Source*>(data)->announceCancelled(); }
    static constexpr typename P::SourceListener listener{.send = handleSend, .cancelled = handleCancelled};

    typename P::Source* m_proxy;
};

template <typename P> class DataControl final : public WaylandDataControl {
public:
    DataControl(WaylandConnection& connection, typename P::Manager* manager)
        : m_connection(connection), m_manager(manager), m_device(P::getDevice(manager, connection.seat())) {
        P::listen(m_device, &listener, this);
        m_connection.flush();
    }
    ~DataControl() override {
        m_current.reset();
        m_announced.clear();
        P::destroy(m_device);
        m_connection.flush();
    }
    DataControl(const DataControl&) = delete;
    DataControl& operator=(const DataControl&) = delete;

    const char* protocolName() const override { return P::name; }
    bool isConnected() const override { return m_connection.isConnected(); }
    WaylandDataOffer* currentOffer() const override { return m_current.get(); }
    void readPendingEvents() override { m_connection.readPendingEvents(); }

    std::unique_ptr<WaylandDataSource> setSelection(const QList<QByteArray>& mimeTypes) override {
        auto source = std::make_unique<Source<P>>(P::createSource(m_manager));
        for (const QByteArray& type : mimeTypes) {
            P::offer(source->proxy(), type.constData());
        }
        P::setSelection(m_device, source->proxy());
        m_connection.flush();
        return source;
    }

private:
    // The offer an event names, taken out of those announced but not yet placed.
    std::unique_ptr<Offer<P>> take(typename P::Offer* proxy) {
        const auto found = std::find_if(m_announced.begin(), m_announced.end(),
                                        [proxy](const auto& offer) { return offer->proxy() == proxy; });
        if (found == m_announced.end()) {
            return nullptr;
        }
        std::unique_ptr<Offer<P>> offer = std::move(*found);
        m_announced.erase(found);
        return offer;
    }

    static void handleDataOffer(void* data, typename P::Device*, typename P::Offer* proxy) {
        auto* self = static_cast<DataControl*>(data);
        self->m_announced.push_back(std::make_unique<Offer<P>>(self->m_connection, proxy));
    }
    static void handleSelection(void* data, typename P::Device*, typename P::Offer* proxy) {
        auto* self = static_cast<DataControl*>(data);
        self->m_current = proxy != nullptr ? self->take(proxy) : nullptr;
        // Announced offers always come right before their selection event: any left over were never placed.
        self->m_announced.clear();
        self->announceSelection();
    }
    static void handleFinished(void* data, typename P::Device*) {
        // The seat is gone; the device stays inert until we destroy it with the connection.
        auto* self = static_cast<DataControl*>(data);
        self->m_current.reset();
        self->m_announced.clear();
    }
    static void handlePrimarySelection(void* data, typename P::Device*, typename P::Offer* proxy) {
        // Not ours to keep: released as soon as it is named.
        auto* self = static_cast<DataControl*>(data);
        if (proxy != nullptr) {
            self->take(proxy).reset();
        }
    }
    static constexpr typename P::DeviceListener listener{.data_offer = handleDataOffer,
                                                         .selection = handleSelection,
                                                         .finished = handleFinished,
                                                         .primary_selection = handlePrimarySelection};

    WaylandConnection& m_connection;
    typename P::Manager* m_manager;
    typename P::Device* m_device;
    std::vector<std::unique_ptr<Offer<P>>> m_announced;
    std::unique_ptr<Offer<P>> m_current;
};

} // namespace

std::unique_ptr<WaylandDataControl> WaylandDataControl::createExt(WaylandConnection& connection, wl_proxy* manager) {
    return std::make_unique<DataControl<ExtProtocol>>(connection,
                                                      reinterpret_cast<ext_data_control_manager_v1*>(manager));
}

std::unique_ptr<WaylandDataControl> WaylandDataControl::createWlr(WaylandConnection& connection, wl_proxy* manager) {
    return std::make_unique<DataControl<WlrProtocol>>(connection,
                                                      reinterpret_cast<zwlr_data_control_manager_v1*>(manager));
}

} // namespace sorvu
