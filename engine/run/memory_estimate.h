// Whether a calculation can be seen, before it starts, to need far more memory than the machine has left,
// so that it is refused at once with the figures instead of running until memory runs out.
#pragma once

#include <cstdint>
#include <string>

#include "model/drawing.h"

// The least memory a calculation takes per vertex. Measured peaks ran from 6 KB a vertex (one round
// polygon, 8,000 to 32,000 vertices) to 8.5 KB (districts of small buildings, 10,000 to 160,000
// vertices); half the least of them keeps a refusal to drawings that surely cannot fit.
constexpr int64_t LeastBytesPerVertex = 3 * 1024;

// A lone convex polygon at one height is traced from its discs' crossings, at 1.1 to 1.25 KB a vertex at
// the measured peak (one round polygon of 1,000,000 vertices); about half of that keeps its refusal sure.
constexpr int64_t LeastBytesPerTracedVertex = 640;

struct MemoryNeed {
    int64_t vertices = 0;
    int64_t leastBytes = 0;      // what the calculation takes at the least
    int64_t availableBytes = 0;  // what the process can still take
};

// The figures of a calculation of so many vertices, taking at least bytesPerVertex each, with
// availableBytes left; true when it cannot fit.
bool BeyondMemory(int64_t vertices, int64_t availableBytes, MemoryNeed* need,
                  int64_t bytesPerVertex = LeastBytesPerVertex);
// The same for the whole drawing: known from its vertices alone, before anything is built or checked.
bool BeyondMemory(const Drawing& source, int64_t availableBytes, MemoryNeed* need);

// The refusal as the window and the command line give it, with the figures in MB.
std::string BeyondMemoryText(const MemoryNeed& need);

// What this process can still allocate: the smaller of the free address space under its limit and
// the memory the system has free (with its page file or swap). Very large when neither is known.
int64_t AvailableMemoryBytes();
