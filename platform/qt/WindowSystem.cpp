#include "platform/qt/WindowSystem.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonObject>
#include <QRect>
#include <QTimer>
#include <QWidget>
#include <cstdlib>
#include <optional>

#include "platform/qt/SwayIpc.h"

#if QT_CONFIG(xcb)
#include <xcb/xcb.h>
#endif

namespace quibbix {

namespace {

#if QT_CONFIG(xcb)
// The connection to the X server, or null where the window system is another.
xcb_connection_t* x11Connection() {
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 != nullptr ? x11->connection() : nullptr;
}
#endif

struct SwayWindow {
    qint64 id = 0;
    QRect rect;  // borders and title bar included
};

// This program's window named `title` in sway's tree; none while sway has no such window.
std::optional<SwayWindow> findSwayWindow(const QJsonObject& node, const QString& title) {
    if (node.value(QLatin1String("pid")).toInteger() == QCoreApplication::applicationPid() &&
        node.value(QLatin1String("name")).toString() == title) {
        const auto rect = [&node](const char* name) {
            const QJsonObject rect = node.value(QLatin1String(name)).toObject();
            return QRect(rect.value(QLatin1String("x")).toInt(),
                         rect.value(QLatin1String("y")).toInt(),
                         rect.value(QLatin1String("width")).toInt(),
                         rect.value(QLatin1String("height")).toInt());
        };
        // The title bar sway draws for a floating window lies above its rectangle.
        const QRect titleBar = rect("deco_rect");
        return SwayWindow{node.value(QLatin1String("id")).toInteger(),
                          titleBar.isEmpty() ? rect("rect") : rect("rect").united(titleBar)};
    }
    for (const char* children : {"nodes", "floating_nodes"}) {
        for (const QJsonValue child : node.value(QLatin1String(children)).toArray()) {
            if (std::optional<SwayWindow> found = findSwayWindow(child.toObject(), title)) {
                return found;
            }
        }
    }
    return std::nullopt;
}

// Moves a window over another on sway once sway has mapped it, which is a moment after the toolkit
// shows it: it looks for the window every few milliseconds, for a second at most.
class SwayCentring : public QObject {
  public:
    SwayCentring(QWidget* window, const QWidget* over, SwayIpc ipc)
        : QObject(window), window_(window), over_(over), ipc_(std::move(ipc)) {
        window->installEventFilter(this);
        timer_.setInterval(10);
        connect(&timer_, &QTimer::timeout, this, &SwayCentring::tryToCentre);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == window_ && event->type() == QEvent::Show) {
            triesLeft_ = 100;
            timer_.start();
        }
        return false;
    }

  private:
    void tryToCentre() {
        const std::optional<QJsonDocument> tree = ipc_.tree();
        if (!tree) {
            timer_.stop();
            return;
        }
        const std::optional<SwayWindow> window =
            findSwayWindow(tree->object(), window_->windowTitle());
        const std::optional<SwayWindow> over = findSwayWindow(tree->object(), over_->windowTitle());
        if (window && over) {
            const QPoint to =
                over->rect.topLeft() + QPoint((over->rect.width() - window->rect.width()) / 2,
                                              (over->rect.height() - window->rect.height()) / 2);
            ipc_.run(QStringLiteral("[con_id=%1] move absolute position %2 %3")
                         .arg(window->id)
                         .arg(to.x())
                         .arg(to.y()));
            timer_.stop();
        } else if (--triesLeft_ <= 0) {
            timer_.stop();
        }
    }

    QWidget* window_;
    const QWidget* over_;
    SwayIpc ipc_;
    QTimer timer_;
    int triesLeft_ = 0;
};

}  // namespace

bool windowSystemMinimises() {
    return qEnvironmentVariableIsEmpty("SWAYSOCK");
}

void keepCentredOver(QWidget* window, const QWidget* over) {
    if (std::optional<SwayIpc> ipc = SwayIpc::connect()) {
        new SwayCentring(window, over, std::move(*ipc));
    }
}

bool leftButtonDownNow() {
#if QT_CONFIG(xcb)
    xcb_connection_t* const connection = x11Connection();
    if (connection == nullptr) {
        return true;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    xcb_query_pointer_reply_t* const reply =
        xcb_query_pointer_reply(connection, xcb_query_pointer(connection, root), nullptr);
    if (reply == nullptr) {
        return false;
    }
    const bool down = (reply->mask & XCB_BUTTON_MASK_1) != 0;
    std::free(reply);
    return down;
#else
    return true;
#endif
}

// A compositing manager owns the selection _NET_WM_CM_S<screen>. Without one an X server shows no
// alpha at all, and a window with an alpha channel only costs more to create.
bool windowSystemComposites() {
#if QT_CONFIG(xcb)
    xcb_connection_t* const connection = x11Connection();
    if (connection == nullptr) {
        return true;
    }
    // The screen $DISPLAY names; on a display of one X screen, which is nearly every one, it is 0.
    char* host = nullptr;
    int display = 0;
    int screen = 0;
    if (xcb_parse_display(nullptr, &host, &display, &screen) == 0) {
        screen = 0;
    }
    std::free(host);
    const QByteArray name = "_NET_WM_CM_S" + QByteArray::number(screen);
    xcb_intern_atom_reply_t* const atom = xcb_intern_atom_reply(
        connection,
        xcb_intern_atom(connection, 1, static_cast<uint16_t>(name.size()), name.constData()),
        nullptr);
    if (atom == nullptr) {
        return true;
    }
    const xcb_atom_t selection = atom->atom;
    std::free(atom);
    if (selection == XCB_ATOM_NONE) {
        return false;  // no client ever claimed it
    }
    xcb_get_selection_owner_reply_t* const owner = xcb_get_selection_owner_reply(
        connection, xcb_get_selection_owner(connection, selection), nullptr);
    const bool owned = owner != nullptr && owner->owner != XCB_WINDOW_NONE;
    std::free(owner);
    return owned;
#else
    return true;
#endif
}

}  // namespace quibbix
