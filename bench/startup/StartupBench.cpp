// Times programs from their start to their window on screen, side by side: each run starts one
// program, waits for the X server to map a top-level window of the board's size (MapNotify on the
// root window, so run it on an X server without a window manager), reads the program's resident
// memory after a moment, optionally its processor time while idle, and ends it. Runs alternate
// between the programs, so that a slow moment of the machine hits each alike.
//
// Usage: quibbix_startup_bench [--runs N] [--settle-ms MS] [--idle-ms MS] PROGRAM [PROGRAM...]

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "bench/BoardX11.h"

namespace {

using bench::Clock;
using bench::median;

struct Run {
    double mapMs = -1;
    double residentMiB = 0;
    double idleCpuMs = 0;
};

double residentMiB(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::stod(line.substr(6)) / 1024.0;
        }
    }
    return 0;
}

double cpuMs(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), {});
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string skip;
    for (int i = 3; i < 14; ++i) {
        fields >> skip;
    }
    long user = 0;
    long system = 0;
    fields >> user >> system;
    return static_cast<double>(user + system) * 1000.0 / static_cast<double>(sysconf(_SC_CLK_TCK));
}

Run runOnce(xcb_connection_t* x, const std::string& program, int settleMs, int idleMs) {
    Run run;
    const Clock::time_point start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    if (bench::waitForBoard(x, start + std::chrono::seconds(20)) != 0) {
        run.mapMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        std::this_thread::sleep_for(std::chrono::milliseconds(settleMs));
        run.residentMiB = residentMiB(pid);
        if (idleMs > 0) {
            const double before = cpuMs(pid);
            std::this_thread::sleep_for(std::chrono::milliseconds(idleMs));
            run.idleCpuMs = cpuMs(pid) - before;
        }
    }
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    return run;
}

std::string nameOf(const std::string& program) {
    return program.substr(program.rfind('/') + 1);
}

}  // namespace

int main(int argc, char* argv[]) {
    int runs = 12;
    int settleMs = 500;
    int idleMs = 0;
    std::vector<std::string> programs;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--runs" && i + 1 < argc) {
            runs = std::atoi(argv[++i]);
        } else if (arg == "--settle-ms" && i + 1 < argc) {
            settleMs = std::atoi(argv[++i]);
        } else if (arg == "--idle-ms" && i + 1 < argc) {
            idleMs = std::atoi(argv[++i]);
        } else {
            programs.push_back(arg);
        }
    }
    if (programs.empty()) {
        std::fprintf(stderr,
                     "usage: %s [--runs N] [--settle-ms MS] [--idle-ms MS] PROGRAM [PROGRAM...]\n",
                     argv[0]);
        return 2;
    }
    xcb_connection_t* x = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(x)) {
        std::fprintf(stderr, "cannot open the display\n");
        return 1;
    }
    bench::watchMaps(x);

    std::vector<std::vector<Run>> results(programs.size());
    for (int r = 0; r < runs; ++r) {
        for (std::size_t p = 0; p < programs.size(); ++p) {
            results[p].push_back(runOnce(x, programs[p], settleMs, idleMs));
        }
    }
    std::printf("%-40s %6s %10s %9s %12s %9s %11s\n", "program", "runs", "map ms", "min ms",
                "resident MiB", "min MiB", "idle cpu ms");
    std::vector<double> mapMedians;
    std::vector<double> rssMedians;
    for (std::size_t p = 0; p < programs.size(); ++p) {
        std::vector<double> maps, rss, idle;
        for (const Run& run : results[p]) {
            if (run.mapMs >= 0) {
                maps.push_back(run.mapMs);
                rss.push_back(run.residentMiB);
                idle.push_back(run.idleCpuMs);
            }
        }
        mapMedians.push_back(median(maps));
        rssMedians.push_back(median(rss));
        std::printf("%-40s %6zu %10.1f %9.1f %12.1f %9.1f %11.1f\n", nameOf(programs[p]).c_str(),
                    maps.size(), median(maps),
                    maps.empty() ? 0 : *std::min_element(maps.begin(), maps.end()), median(rss),
                    rss.empty() ? 0 : *std::min_element(rss.begin(), rss.end()), median(idle));
    }
    for (std::size_t p = 1; p < programs.size(); ++p) {
        std::printf("%s against %s: start to map %.2fx, resident memory %.2fx\n",
                    nameOf(programs[p]).c_str(), nameOf(programs[0]).c_str(),
                    mapMedians[p] / mapMedians[0], rssMedians[p] / rssMedians[0]);
    }
    xcb_disconnect(x);
    return 0;
}
