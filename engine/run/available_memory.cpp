// What this process can still allocate on a POSIX system.
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>

#include "engine/run/memory_estimate.h"

namespace {

constexpr int64_t Unknown = std::numeric_limits<int64_t>::max();

// The address space this process has taken so far, in bytes.
int64_t AddressSpaceInUse() {
    FILE* statm = fopen("/proc/self/statm", "r");
    if (!statm)
        return 0;
    long long pages = 0;
    if (fscanf(statm, "%lld", &pages) != 1)
        pages = 0;
    fclose(statm);
    return pages * sysconf(_SC_PAGESIZE);
}

// MemAvailable and SwapFree of the system: what can still be had without ending some process.
int64_t SystemMemoryFree() {
    FILE* info = fopen("/proc/meminfo", "r");
    if (!info)
        return Unknown;
    char line[256];
    int64_t total = 0;
    bool found = false;
    while (fgets(line, sizeof line, info)) {
        long long kilobytes = 0;
        if (sscanf(line, "MemAvailable: %lld kB", &kilobytes) == 1 ||
            sscanf(line, "SwapFree: %lld kB", &kilobytes) == 1) {
            total += static_cast<int64_t>(kilobytes) * 1024;
            found = true;
        }
    }
    fclose(info);
    return found ? total : Unknown;
}

}  // namespace

int64_t AvailableMemoryBytes() {
    int64_t available = SystemMemoryFree();
    rlimit limit{};
    if (getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY) {
        int64_t room = static_cast<int64_t>(limit.rlim_cur) - AddressSpaceInUse();
        available = std::min(available, std::max<int64_t>(room, 0));
    }
    return available;
}
