// Times the Ad/Am engine on one round polygon of many vertices: a circle of 1 km radius at 12 m, as
// scripts/make_large_inputs.py writes it, with its coordinates exact or, with --rounded, rounded to
// 0.1 mm as that file holds them. Each count is calculated once, from the smallest up, so that the
// process's peak memory after each is that calculation's. With --stops, the largest is then calculated
// again and stopped 0.05 s in, 0.10 s in and so on until a run ends before its stop, and the longest
// wait from a stop to the end of its run is printed.
//
//     large_polygon_bench [--rounded] [--stops] [VERTICES...]     (10000 30000 100000 when none are given)
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>

#include "bench/peak_memory.h"
#include "engine/construction/ad_am_outlines.h"

namespace {

constexpr double Pi = 3.14159265358979323846;

CalcInput RoundPolygon(long vertices, bool rounded) {
    CalcPolygon polygon;
    auto place = [&](double v) { return rounded ? std::round(v * 1e4) / 1e4 : v; };
    for (long k = 0; k < vertices; k++) {
        double angle = 2.0 * Pi * static_cast<double>(k) / static_cast<double>(vertices);
        polygon.vertices.push_back({place(1000.0 * std::cos(angle)), place(1000.0 * std::sin(angle)), 12.0});
    }
    return CalcInput{{polygon}};
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The longest wait from a stop to the end of its run, over runs stopped every twentieth of a second until
// one ends before its stop, or after its last look for a stop with its result.
double LongestWaitAfterAStop(const CalcInput& polygon, int* stops) {
    double longest = 0.0;
    *stops = 0;
    for (double at = 0.05;; at += 0.05) {
        CalcInput input = polygon;
        CalcRun calculation;
        auto start = std::chrono::steady_clock::now();
        std::thread stopper([&] {
            std::this_thread::sleep_until(start + std::chrono::duration<double>(at));
            calculation.requestStop();
        });
        bool ok = ComputeAdAm(&input, CalcOptions{}, &calculation);
        double ended = SecondsSince(start);
        stopper.join();
        if (ended <= at)
            return longest;
        longest = std::max(longest, ended - at);
        ++*stops;
        if (ok)
            return longest;
    }
}

}  // namespace

int main(int argc, char** argv) {
    bool rounded = false, stops = false;
    std::vector<long> counts;
    for (int i = 1; i < argc; i++) {
        char* end = nullptr;
        long count = std::strtol(argv[i], &end, 10);
        if (std::strcmp(argv[i], "--rounded") == 0) {
            rounded = true;
        } else if (std::strcmp(argv[i], "--stops") == 0) {
            stops = true;
        } else if (*end == '\0' && count >= 3) {
            counts.push_back(count);
        } else {
            std::fprintf(stderr, "usage: large_polygon_bench [--rounded] [--stops] [VERTICES...]\n");
            return 2;
        }
    }
    if (counts.empty())
        counts = {10000, 30000, 100000};
    std::sort(counts.begin(), counts.end());
    std::printf("one round polygon of 1 km radius at 12 m, coordinates %s; one run each\n\n",
                rounded ? "rounded to 0.1 mm" : "exact");
    std::printf("%10s %10s %12s %12s %10s\n", "vertices", "seconds", "Ad km2", "Am km2", "peak MB");
    bool allOk = true;
    for (long count : counts) {
        CalcInput input = RoundPolygon(count, rounded);
        CalcRun calculation;
        auto start = std::chrono::steady_clock::now();
        bool ok = ComputeAdAm(&input, CalcOptions{}, &calculation);
        double seconds = SecondsSince(start);
        std::printf("%10ld %10.2f %12.6f %12.6f %10.0f%s\n", count, seconds, calculation.result.ad,
                    calculation.result.am, PeakMegabytes(), ok ? "" : "  FAILED");
        std::fflush(stdout);
        allOk = allOk && ok;
    }
    if (stops) {
        int count = 0;
        double longest = LongestWaitAfterAStop(RoundPolygon(counts.back(), rounded), &count);
        std::printf("\n%ld vertices, stopped %d times: every run ended within %.3f s of its stop\n", counts.back(),
                    count, longest);
    }
    return allOk ? 0 : 1;
}
