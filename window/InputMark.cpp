#include "window/InputMark.h"

#include <QGuiApplication>
#include <QMetaObject>
#include <cstdlib>
#include <cstring>
#include <utility>

#if QT_CONFIG(xcb)
#include <xcb/xcb.h>
#endif

namespace quibbix {

namespace {

constexpr char MarkProperty[] = "_QUIBBIX_INPUT_MARK";

}  // namespace

InputMark::InputMark(QObject* receiver, std::function<void(uint32_t)> reached)
    : receiver_(receiver), reached_(std::move(reached)) {
#if QT_CONFIG(xcb)
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 != nullptr && x11->connection() != nullptr) {
        connection_ = x11->connection();
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
#endif
}

InputMark::~InputMark() {
    if (connection_ != nullptr && QCoreApplication::instance() != nullptr) {
        QCoreApplication::instance()->removeNativeEventFilter(this);
    }
}

void InputMark::send(uintptr_t window) {
#if QT_CONFIG(xcb)
    if (connection_ == nullptr || pending_) {
        return;
    }
    auto* const connection = static_cast<xcb_connection_t*>(connection_);
    if (atom_ == 0) {
        xcb_intern_atom_reply_t* const reply = xcb_intern_atom_reply(
            connection,
            xcb_intern_atom(connection, 0, std::strlen(MarkProperty), MarkProperty), nullptr);
        if (reply == nullptr) {
            return;
        }
        atom_ = reply->atom;
        std::free(reply);
    }
    // Appending nothing changes nothing, yet the server still reports the property as changed.
    xcb_change_property(connection, XCB_PROP_MODE_APPEND, static_cast<xcb_window_t>(window), atom_,
                        XCB_ATOM_STRING, 8, 0, nullptr);
    xcb_flush(connection);
    pending_ = true;
#else
    (void)window;
#endif
}

bool InputMark::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
#if QT_CONFIG(xcb)
    if (!pending_ || eventType != "xcb_generic_event_t") {
        return false;
    }
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) != XCB_PROPERTY_NOTIFY) {
        return false;
    }
    const auto* change = static_cast<const xcb_property_notify_event_t*>(message);
    if (change->atom != atom_) {
        return false;
    }
    pending_ = false;
    // The input events before the mark have been read but are handed to the widgets only after
    // this filter returns, so the answer waits its turn behind them.
    const uint32_t time = change->time;
    QMetaObject::invokeMethod(receiver_, [this, time] { reached_(time); }, Qt::QueuedConnection);
    return true;
#else
    (void)eventType;
    (void)message;
    return false;
#endif
}

}  // namespace quibbix
