#include "engine/run/parallel_for.h"

#include <atomic>
#include <system_error>
#include <thread>

#include "engine/run/out_of_memory.h"

void ParallelFor(size_t count, const std::function<void(size_t)>& work, const std::function<void(size_t)>& afterDone) {
    std::atomic<size_t> next{0}, finished{0};
    std::atomic<bool> outOfMemory{false};
    auto take = [&](bool reports) {
        for (size_t i = next++; i < count && !outOfMemory; i = next++) {
            if (!WithinMemory([&] { work(i); })) {
                outOfMemory = true;  // the other thread ends at its next piece
                return;
            }
            size_t done = ++finished;
            if (reports && afterDone)
                afterDone(done);
        }
    };
    std::thread helper;
    if (count > 1) {
        try {
            helper = std::thread(take, false);
        } catch (const std::system_error&) {  // no thread to be had: this one does it all
        }
    }
    take(true);
    if (helper.joinable())
        helper.join();
    if (outOfMemory)
        throw std::bad_alloc();  // on the caller's thread, which ends the run as out of memory
}
