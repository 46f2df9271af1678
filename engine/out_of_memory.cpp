#include "engine/out_of_memory.h"

#include "engine/calc_records.h"

std::atomic<uint8_t> outOfMemory{0};

// The other threads see the stop at their next checkpoint and end without their result; the memory
// they hold is released as they unwind, so that the program goes on with the drawing untouched.
void MarkOutOfMemory() {
    outOfMemory = 1;
    stopRequested = 1;
}

namespace {

void RunOutOfMemory() {
    MarkOutOfMemory();
    throw std::bad_alloc();
}

}  // namespace

void WatchForOutOfMemory() {
    std::set_new_handler(RunOutOfMemory);
}
