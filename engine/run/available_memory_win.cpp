// What this process can still allocate on Windows.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <limits>

#include "engine/run/memory_estimate.h"

// The free user address space and what the system can still commit (memory and page file together).
int64_t AvailableMemoryBytes() {
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    if (!GlobalMemoryStatusEx(&status))
        return std::numeric_limits<int64_t>::max();
    return static_cast<int64_t>(std::min(status.ullAvailVirtual, status.ullAvailPageFile));
}
