#pragma once

// What the benchmarks that watch the board on an X server share: the board's size, waiting for
// its window to be mapped, and the median of a series.

#include <poll.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <vector>

namespace bench {

using Clock = std::chrono::steady_clock;

inline constexpr int BoardWidth = 789;
inline constexpr int BoardHeight = 598;

// Asks for the root window's MapNotify events; run on an X server without a window manager.
inline void watchMaps(xcb_connection_t* x) {
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(x);
}

// Waits for a MapNotify of a board-sized top-level window and returns it; 0 on time-out. Other
// events that arrive meanwhile are dropped.
inline xcb_window_t waitForBoard(xcb_connection_t* x, Clock::time_point deadline) {
    const int fd = xcb_get_file_descriptor(x);
    while (Clock::now() < deadline) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(x)) {
            const bool map = (event->response_type & 0x7f) == XCB_MAP_NOTIFY;
            const xcb_window_t window =
                map ? reinterpret_cast<xcb_map_notify_event_t*>(event)->window : 0;
            std::free(event);
            if (map) {
                xcb_get_geometry_reply_t* geometry =
                    xcb_get_geometry_reply(x, xcb_get_geometry(x, window), nullptr);
                const bool board = geometry != nullptr && geometry->width == BoardWidth &&
                                   geometry->height == BoardHeight;
                std::free(geometry);
                if (board) {
                    return window;
                }
            }
        }
        pollfd wait{fd, POLLIN, 0};
        poll(&wait, 1, 5);
    }
    return 0;
}

inline double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n == 0 ? 0 : (n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2);
}

}  // namespace bench
