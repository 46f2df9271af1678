// The largest resident size the benchmark's process has had so far, in megabytes; negative where it
// cannot be told (Windows).
#pragma once

#ifndef _WIN32
#include <sys/resource.h>
#endif

inline double PeakMegabytes() {
#ifdef _WIN32
    return -1.0;
#else
    struct rusage usage;
    return getrusage(RUSAGE_SELF, &usage) == 0 ? usage.ru_maxrss / 1024.0 : -1.0;  // kilobytes on Linux
#endif
}
