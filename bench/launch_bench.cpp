// Starts PENNARO, its form alone and an empty Qt window in turn, N times
// each, on the current X display. For each start it measures the time from
// the launch to the MapNotify of its window (one X connection blocks for the
// event; nothing polls) and the peak resident memory shortly after, then
// prints medians, spreads and the ratios PENNARO/form and form/empty.
//
//   launch_bench RUNS PENNARO FORM_ONLY EMPTY_WINDOW

#include <X11/Xlib.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/select.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

struct Sample {
    double map_ms = 0;
    double peak_mb = 0;
};

// VmHWM of the process: its peak resident memory so far.
double peak_megabytes(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string key;
    while (status >> key) {
        if (key == "VmHWM:") {
            double kilobytes = 0;
            status >> kilobytes;
            return kilobytes / 1024;
        }
        status.ignore(1 << 16, '\n');
    }
    return 0;
}

bool launch(Display *display, const char *program, Sample &sample)
{
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, True); // nothing of an earlier start is left in the queue
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execl(program, program, static_cast<char *>(nullptr));
        _exit(127);
    }
    bool mapped = false;
    const int connection = ConnectionNumber(display);
    while (!mapped) {
        while (!mapped && XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            mapped = event.type == MapNotify;
        }
        if (mapped)
            break;
        // Blocks until the X server says something, for ten seconds at most.
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(connection, &readable);
        timeval limit {10, 0};
        if (select(connection + 1, &readable, nullptr, nullptr, &limit) <= 0)
            break;
    }
    const auto shown = std::chrono::steady_clock::now();
    if (mapped) {
        sample.map_ms = std::chrono::duration<double, std::milli>(shown - start).count();
        // The first paint and the rest of the start-up happen just after.
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        sample.peak_mb = peak_megabytes(pid);
    }
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    XSelectInput(display, DefaultRootWindow(display), NoEventMask);
    return mapped;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct Summary {
    double map_median, map_low, map_high, peak_median, peak_low, peak_high;
};

Summary summarise(const std::vector<Sample> &samples)
{
    std::vector<double> maps, peaks;
    for (const Sample &s : samples) {
        maps.push_back(s.map_ms);
        peaks.push_back(s.peak_mb);
    }
    return {median(maps), *std::min_element(maps.begin(), maps.end()),
        *std::max_element(maps.begin(), maps.end()), median(peaks),
        *std::min_element(peaks.begin(), peaks.end()),
        *std::max_element(peaks.begin(), peaks.end())};
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 5) {
        std::fprintf(stderr, "usage: %s RUNS PENNARO FORM_ONLY EMPTY_WINDOW\n", argv[0]);
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    const char *names[] = {"pennaro", "form only", "empty window"};
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "no X display: run it under X or xvfb-run\n");
        return 1;
    }
    std::vector<Sample> samples[3];
    // A start of each first, not counted: the disk cache is warm for all three.
    for (int program = 0; program < 3; ++program) {
        Sample ignored;
        launch(display, argv[2 + program], ignored);
    }
    for (int run = 0; run < runs; ++run)
        for (int program = 0; program < 3; ++program) {
            Sample sample;
            if (!launch(display, argv[2 + program], sample)) {
                std::fprintf(stderr, "%s did not map a window\n", names[program]);
                return 1;
            }
            samples[program].push_back(sample);
        }
    XCloseDisplay(display);

    Summary s[3];
    std::printf("%-13s %26s %28s\n", "", "launch to mapped (ms)", "peak resident (MB)");
    std::printf("%-13s %10s %15s %12s %15s\n", "", "median", "min-max", "median", "min-max");
    for (int program = 0; program < 3; ++program) {
        s[program] = summarise(samples[program]);
        std::printf("%-13s %10.1f %7.1f-%-7.1f %12.1f %7.1f-%-7.1f\n", names[program],
            s[program].map_median, s[program].map_low, s[program].map_high, s[program].peak_median,
            s[program].peak_low, s[program].peak_high);
    }
    std::printf("pennaro / form only: %.3fx time, %.3fx memory\n",
        s[0].map_median / s[1].map_median, s[0].peak_median / s[1].peak_median);
    std::printf("form only / empty:   %.3fx time, %.3fx memory\n",
        s[1].map_median / s[2].map_median, s[1].peak_median / s[2].peak_median);
    std::printf("(%d runs each, alternating)\n", runs);
    return 0;
}
