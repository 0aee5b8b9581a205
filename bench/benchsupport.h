// Timing helpers of the benchmark programs.
#pragma once

#include <QElapsedTimer>

#include <algorithm>
#include <ctime>
#include <functional>
#include <vector>

namespace benchsupport {

// Median wall-clock and process CPU time of one step, in ms: the machine may be shared, so
// CPU time is the steadier figure.
struct Timing
{
    double wall;
    double cpu;
};

inline double cpuNow()
{
    timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

inline Timing median(int runs, const std::function<void()> &step)
{
    std::vector<double> wall;
    std::vector<double> cpu;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        const double cpuStart = cpuNow();
        step();
        cpu.push_back(cpuNow() - cpuStart);
        wall.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    return {wall[wall.size() / 2], cpu[cpu.size() / 2]};
}

} // namespace benchsupport
