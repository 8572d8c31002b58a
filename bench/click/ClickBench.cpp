// Times a click to the last pixels it changes, in a real window on the X server: the time from the
// release of the button (sent with XTest) to the last Damage report on the window, once nothing
// more has been drawn for a quiet spell. For the game: a click on Roll, and a click on a rolled
// die (the die drawn in the holder); for the yardstick, a bare Qt window whose click moves five
// plain child widgets of a die's size (bench/click/BareMover.cpp), clicked where Roll lies.
//
// Each program is started afresh for every three clicks on Roll (a turn has three rolls), after
// its first roll the game's first die on the table is clicked, and the programs take turns, so
// that a slow moment of the machine hits each alike. Run on an X server without a window manager.
//
// Usage: quibbix_click_bench [--rolls N] [--quiet-ms MS] GAME BARE_MOVER

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/damage.h>
#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "bench/BoardX11.h"

namespace {

using bench::Clock;
using Ms = std::chrono::duration<double, std::milli>;

// Where Roll lies on the board, and the part of the board the rolled dice land on.
constexpr int RollX = 499;
constexpr int RollY = 530;
constexpr int TableLeft = 199;
constexpr int TableTop = 5;
constexpr int TableRight = 632 + 70;
constexpr int TableBottom = 412 + 67;
constexpr int RollsPerProgram = 3;

struct Watched {
    xcb_connection_t* x;
    xcb_window_t root;
    xcb_window_t window;
    int left;  // the window's place on the root window
    int top;
};

// Drains the events until nothing has been drawn for `quiet`; returns the time of the last
// damage, or nothing if there was none.
std::optional<Clock::time_point> lastDamage(const Watched& w, uint8_t damageEvent, Ms quiet) {
    std::optional<Clock::time_point> last;
    Clock::time_point quietFrom = Clock::now();
    const int fd = xcb_get_file_descriptor(w.x);
    for (;;) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(w.x)) {
            if ((event->response_type & 0x7f) == damageEvent + XCB_DAMAGE_NOTIFY) {
                last = quietFrom = Clock::now();
            }
            std::free(event);
        }
        const Ms left = quiet - (Clock::now() - quietFrom);
        if (left.count() <= 0) {
            return last;
        }
        pollfd wait{fd, POLLIN, 0};
        poll(&wait, 1, std::max(1, static_cast<int>(left.count())));
    }
}

void fake(const Watched& w, uint8_t type, uint8_t detail, int x = 0, int y = 0) {
    xcb_test_fake_input(w.x, type, detail, XCB_CURRENT_TIME, w.root, static_cast<int16_t>(x),
                        static_cast<int16_t>(y), 0);
}

// Moves the pointer to (x, y) of the board and lets what the move draws settle; then presses the
// left button and lets that settle; then releases it and returns the milliseconds from the release
// to the last damage, or nothing when the click drew nothing.
std::optional<double> click(const Watched& w, uint8_t damageEvent, int x, int y, Ms quiet) {
    fake(w, XCB_MOTION_NOTIFY, 0, w.left + x, w.top + y);
    xcb_flush(w.x);
    lastDamage(w, damageEvent, quiet);
    fake(w, XCB_BUTTON_PRESS, 1);
    xcb_flush(w.x);
    lastDamage(w, damageEvent, quiet);
    fake(w, XCB_BUTTON_RELEASE, 1);
    xcb_flush(w.x);
    const Clock::time_point released = Clock::now();
    const auto last = lastDamage(w, damageEvent, quiet);
    if (!last) {
        return std::nullopt;
    }
    return Ms(*last - released).count();
}

// A point inside a die on the table, reading the window's pixels: the dice are the only red there
// is on the felt. The window's depth is 24 or 32 bits, stored as B, G, R, X.
std::optional<std::pair<int, int>> dieOnTable(const Watched& w) {
    xcb_get_image_reply_t* image = xcb_get_image_reply(
        w.x,
        xcb_get_image(w.x, XCB_IMAGE_FORMAT_Z_PIXMAP, w.window, TableLeft, TableTop,
                      TableRight - TableLeft, TableBottom - TableTop, ~0u),
        nullptr);
    if (image == nullptr) {
        return std::nullopt;
    }
    const uint8_t* pixels = xcb_get_image_data(image);
    const int width = TableRight - TableLeft;
    const int height = TableBottom - TableTop;
    std::optional<std::pair<int, int>> found;
    if (xcb_get_image_data_length(image) >= width * height * 4) {
        const auto red = [&](int x, int y) {
            if (x < 0 || y < 0 || x >= width || y >= height) {
                return false;
            }
            const uint8_t* p = pixels + (y * width + x) * 4;
            return p[2] > 120 && p[1] < 80 && p[0] < 80;
        };
        // A red pixel with red all round it lies well inside a die, away from its rounded corners.
        constexpr int Reach = 8;
        for (int y = 0; y < height && !found; ++y) {
            for (int x = 0; x < width; ++x) {
                if (red(x, y) && red(x - Reach, y) && red(x + Reach, y) && red(x, y - Reach) &&
                    red(x, y + Reach)) {
                    found = std::pair{TableLeft + x, TableTop + y};
                    break;
                }
            }
        }
    }
    std::free(image);
    return found;
}

struct Series {
    std::vector<double> times;
    int silent = 0;  // clicks that drew nothing

    void add(std::optional<double> time) {
        if (time) {
            times.push_back(*time);
        } else {
            ++silent;
        }
    }
};

void print(const char* name, const Series& series) {
    std::printf(
        "%-34s %6zu %7d %10.2f %9.2f %9.2f\n", name, series.times.size(), series.silent,
        bench::median(series.times),
        series.times.empty() ? 0 : *std::min_element(series.times.begin(), series.times.end()),
        series.times.empty() ? 0 : *std::max_element(series.times.begin(), series.times.end()));
}

}  // namespace

int main(int argc, char* argv[]) {
    int rolls = 100;
    double quietMs = 150;
    std::vector<std::string> programs;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--rolls" && i + 1 < argc) {
            rolls = std::atoi(argv[++i]);
        } else if (arg == "--quiet-ms" && i + 1 < argc) {
            quietMs = std::atof(argv[++i]);
        } else {
            programs.push_back(arg);
        }
    }
    if (programs.size() != 2) {
        std::fprintf(stderr, "usage: %s [--rolls N] [--quiet-ms MS] GAME BARE_MOVER\n", argv[0]);
        return 2;
    }
    xcb_connection_t* x = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(x)) {
        std::fprintf(stderr, "cannot open the display\n");
        return 1;
    }
    const xcb_query_extension_reply_t* damage = xcb_get_extension_data(x, &xcb_damage_id);
    const xcb_query_extension_reply_t* xtest = xcb_get_extension_data(x, &xcb_test_id);
    if (damage == nullptr || !damage->present || xtest == nullptr || !xtest->present) {
        std::fprintf(stderr, "the X server has no DAMAGE or no XTEST extension\n");
        return 1;
    }
    std::free(xcb_damage_query_version_reply(x, xcb_damage_query_version(x, 1, 1), nullptr));
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    bench::watchMaps(x);

    const Ms quiet(quietMs);
    Series roll;
    Series laterRoll;  // the second and third in a process: the roll cue is read by then
    Series die;
    Series bare;
    while (roll.times.size() + static_cast<size_t>(roll.silent) < static_cast<size_t>(rolls) ||
           bare.times.size() + static_cast<size_t>(bare.silent) < static_cast<size_t>(rolls)) {
        for (std::size_t p = 0; p < programs.size(); ++p) {
            const bool game = p == 0;
            const pid_t pid = fork();
            if (pid == 0) {
                execl(programs[p].c_str(), programs[p].c_str(), static_cast<char*>(nullptr));
                _exit(127);
            }
            const xcb_window_t window =
                bench::waitForBoard(x, Clock::now() + std::chrono::seconds(20));
            if (window == 0) {
                std::fprintf(stderr, "%s: no window of the board's size\n", programs[p].c_str());
                kill(pid, SIGTERM);
                waitpid(pid, nullptr, 0);
                return 1;
            }
            xcb_translate_coordinates_reply_t* at = xcb_translate_coordinates_reply(
                x, xcb_translate_coordinates(x, window, root, 0, 0), nullptr);
            const Watched w{x, root, window, at ? at->dst_x : 0, at ? at->dst_y : 0};
            std::free(at);
            const xcb_damage_damage_t damageId = xcb_generate_id(x);
            xcb_damage_create(x, damageId, window, XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
            xcb_flush(x);
            lastDamage(w, damage->first_event, quiet);  // the first frame
            for (int r = 0; r < RollsPerProgram; ++r) {
                const auto time = click(w, damage->first_event, RollX, RollY, quiet);
                (game ? roll : bare).add(time);
                if (game && r > 0) {
                    laterRoll.add(time);
                }
                if (game && r == 0) {
                    if (const auto spot = dieOnTable(w)) {
                        die.add(click(w, damage->first_event, spot->first, spot->second, quiet));
                    } else {
                        ++die.silent;
                    }
                }
            }
            xcb_damage_destroy(x, damageId);
            xcb_flush(x);
            kill(pid, SIGTERM);
            waitpid(pid, nullptr, 0);
        }
    }
    std::printf("%-34s %6s %7s %10s %9s %9s\n", "click, release to last damage", "clicks", "silent",
                "median ms", "min ms", "max ms");
    print("game: Roll", roll);
    print("game: Roll, 2nd and 3rd", laterRoll);
    print("game: a die to the holder", die);
    print("bare Qt window: move five widgets", bare);
    const double bareMedian = bench::median(bare.times);
    if (bareMedian > 0) {
        std::printf("Roll against the bare move: %.2fx; a die against it: %.2fx\n",
                    bench::median(roll.times) / bareMedian, bench::median(die.times) / bareMedian);
    }
    xcb_disconnect(x);
    return roll.silent + bare.silent == 0 ? 0 : 1;
}
