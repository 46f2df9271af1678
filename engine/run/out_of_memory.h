// A calculation that runs out of memory, on whichever of its threads, ends as a failed run that says so,
// never as the end of the program.
#pragma once

#include <new>

// From the first call on, an allocation that fails is noted on its thread before it throws, so that a
// failure is seen even where it is caught below (the clipper takes every exception as its own failure).
void WatchForOutOfMemory();

void ForgetFailedAllocations();  // on this thread
bool AllocationFailedOnThisThread();

// Runs work on this thread; false when an allocation failed inside it, thrown out of it or caught below.
template <typename Work>
bool WithinMemory(Work&& work) {
    ForgetFailedAllocations();
    try {
        work();
    } catch (const std::bad_alloc&) {
        return false;
    }
    return !AllocationFailedOnThisThread();
}
