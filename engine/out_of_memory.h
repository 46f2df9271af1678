// A calculation that runs out of memory, on whichever of its threads, ends as a failed run that says so,
// never as the end of the program.
#pragma once

#include <atomic>
#include <cstdint>
#include <new>

extern std::atomic<uint8_t> outOfMemory;  // set when an allocation of the run failed; cleared as a run starts

// Marks the run as out of memory and asks every thread of it to stop, as the user's Stop does.
void MarkOutOfMemory();

// From the first call on, every allocation that fails, wherever it is caught (the clipper's sweep takes
// every exception as its own failure), marks the run out of memory before it throws.
void WatchForOutOfMemory();

// Runs work; an allocation that fails inside it marks the run and gives false.
template <typename Work>
bool WithinMemory(Work&& work) {
    try {
        work();
        return true;
    } catch (const std::bad_alloc&) {
        MarkOutOfMemory();
        return false;
    }
}
