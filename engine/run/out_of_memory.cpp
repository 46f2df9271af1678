#include "engine/run/out_of_memory.h"

namespace {

thread_local bool allocationFailed = false;

void NoteFailedAllocation() {
    allocationFailed = true;
    throw std::bad_alloc();
}

}  // namespace

void WatchForOutOfMemory() {
    std::set_new_handler(NoteFailedAllocation);
}

void ForgetFailedAllocations() {
    allocationFailed = false;
}

bool AllocationFailedOnThisThread() {
    return allocationFailed;
}
