#include "platform/qt/WindowSystem.h"

#include <QByteArray>
#include <QGuiApplication>
#include <cstdlib>

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

}  // namespace

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
