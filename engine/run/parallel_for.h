// Independent pieces of work shared between this thread and one helper, so that the pass that finishes
// first lends its core to the other. Each piece writes only its own result, so the outcome is the same
// whichever thread does which piece.
#pragma once

#include <cstddef>
#include <functional>

// Calls work(i) once for every i from 0 to count - 1, on this thread and on one helper thread when one
// can be had; afterDone(finished) is called on this thread only, after each piece it did itself, with the
// count of pieces finished by both. When a piece runs out of memory the pieces not yet begun are left
// undone and std::bad_alloc is thrown here, after both threads have ended.
void ParallelFor(size_t count, const std::function<void(size_t)>& work,
                 const std::function<void(size_t)>& afterDone = nullptr);
