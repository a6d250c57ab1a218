// Figures of a saver run on the X display in DISPLAY: start to the renderer's first frame, the
// renderer's end to the host's exit, and the host's CPU time and peak memory over a long run.
// Usage: host_bench [seconds of the long run, default 60] [short runs, default 5]
#include "common/renderer_contract.h"
#include "common/win32_numbers.h"
#include "host/platform/connection_x11.h"
#include "host/platform/desktop_x11.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;
using zorun::host::WindowHandle;

namespace {

double msSince(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double, std::milli>(to - from).count();
}

pid_t startHost(const std::string& cache)
{
    const pid_t pid = fork();
    if (pid == 0) {
        setenv("XDG_CACHE_HOME", cache.c_str(), 1);
        execl(ZORUN_HOST_PROGRAM, ZORUN_HOST_PROGRAM, "/s", static_cast<char*>(nullptr));
        _exit(127);
    }
    return pid;
}

bool exited(pid_t pid)
{
    int status = 0;
    return waitpid(pid, &status, WNOHANG) == pid;
}

// The renderer has drawn once its window's middle is no longer the black of a fresh window.
bool drawn(Display* display, WindowHandle window)
{
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display, static_cast<Window>(window), &attributes) == 0 ||
        attributes.map_state != IsViewable)
        return false;
    XImage* image = XGetImage(display, static_cast<Window>(window), attributes.width / 2, attributes.height / 2, 1, 1,
                              AllPlanes, ZPixmap);
    if (image == nullptr)
        return false;
    const bool lit = (XGetPixel(image, 0, 0) & 0xFFFFFF) != 0;
    XDestroyImage(image);
    return lit;
}

// CPU seconds (user + system) and peak resident memory of a live process, from /proc.
void usage(pid_t pid, double& cpuSeconds, long& peakKiB)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::vector<std::string> values(std::istream_iterator<std::string>(fields), {});
    if (values.size() > 13)
        cpuSeconds = (std::stod(values[11]) + std::stod(values[12])) / static_cast<double>(sysconf(_SC_CLK_TCK));
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0)
            peakKiB = std::stol(line.substr(6));
}

}  // namespace

int main(int argc, char** argv)
{
    const int longSeconds = argc > 1 ? std::atoi(argv[1]) : 60;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 5;
    if (std::getenv("DISPLAY") == nullptr) {
        std::fprintf(stderr, "host_bench needs an X display\n");
        return 1;
    }
    auto connection = zorun::host::openX11Connection();
    if (connection == nullptr) {
        std::fprintf(stderr, "host_bench cannot open the X display\n");
        return 1;
    }
    auto x11 = zorun::host::createX11Desktop(connection);
    Display* display = XOpenDisplay(nullptr);
    char folder[] = "/tmp/zorun-host-bench-XXXXXX";
    const std::string cache = mkdtemp(folder);

    std::vector<double> toFrame, toExit;
    for (int run = 0; run < runs; ++run) {
        const auto start = Clock::now();
        const pid_t host = startHost(cache);
        WindowHandle renderer = 0;
        while (Clock::now() - start < 15s && (renderer == 0 || !drawn(display, renderer))) {
            renderer = x11->FindWindowA(zorun::kRendererTitle);
            std::this_thread::sleep_for(2ms);
        }
        toFrame.push_back(msSince(start, Clock::now()));
        x11->PostMessageA(renderer, msg::close, 0, 0);
        while (x11->FindWindowA(zorun::kRendererTitle) != 0)
            std::this_thread::sleep_for(1ms);
        const auto gone = Clock::now();
        while (!exited(host))
            std::this_thread::sleep_for(1ms);
        toExit.push_back(msSince(gone, Clock::now()));
        std::this_thread::sleep_for(300ms);  // let the renderer give the display back
    }
    auto median = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v.empty() ? 0.0 : v[v.size() / 2];
    };
    std::printf("runs: %d\n", runs);
    std::printf("start to renderer's first frame: median %.1f ms (min %.1f, max %.1f)\n", median(toFrame),
                *std::min_element(toFrame.begin(), toFrame.end()), *std::max_element(toFrame.begin(), toFrame.end()));
    std::printf("renderer's end to host's exit:   median %.1f ms (min %.1f, max %.1f; aim under 50 ms)\n",
                median(toExit), *std::min_element(toExit.begin(), toExit.end()),
                *std::max_element(toExit.begin(), toExit.end()));

    const pid_t host = startHost(cache);
    std::this_thread::sleep_for(std::chrono::seconds(longSeconds));
    double cpu = 0;
    long peak = 0;
    usage(host, cpu, peak);
    if (WindowHandle renderer = x11->FindWindowA(zorun::kRendererTitle))
        x11->PostMessageA(renderer, msg::close, 0, 0);
    while (!exited(host))
        std::this_thread::sleep_for(5ms);
    std::printf("host over a %d s run: CPU %.3f s (%.3f%% of one core), peak resident %ld KiB\n", longSeconds, cpu,
                100.0 * cpu / longSeconds, peak);
    XCloseDisplay(display);
    std::filesystem::remove_all(cache);
    return 0;
}
