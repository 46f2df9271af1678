// A calculation whose memory runs out, wherever and on whichever thread, ends as a failed run that says
// so, and the program goes on; one that the user stops with Ctrl+C ends at once, writing nothing. A program of its own,
// since it replaces the allocator of the process: after a budget of allocations is spent every further one fails, as in
// a full address space.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <new>
#include <thread>

#include "bench/bench_drawings.h"
#include "cli/cli_calculation.h"
#include "cli/cli_commands.h"
#include "engine/construction/ad_am_outlines.h"
#include "engine/run/memory_estimate.h"
#include "engine/run/out_of_memory.h"
#include "tests/drawing_builders.h"
#include "tests/test_support.h"

namespace {

std::atomic<long long> allocationsLeft{-1};  // negative: no limit
std::atomic<long long> allocations{0};

void* Allocate(size_t size) {
    allocations++;
    if (allocationsLeft.load() >= 0 && allocationsLeft.fetch_sub(1) <= 0) {
        if (std::new_handler handler = std::get_new_handler())
            handler();  // as the standard allocator does when memory is short
        throw std::bad_alloc();
    }
    void* block = malloc(size ? size : 1);
    if (!block)
        throw std::bad_alloc();
    return block;
}

// The allocator fails from the given allocation on, until the scope ends.
struct MemoryBudget {
    explicit MemoryBudget(long long count) { allocationsLeft = count; }
    ~MemoryBudget() { allocationsLeft = -1; }
};

// A round building of 600 vertices and blocks around it: enough for both passes to run on threads of
// their own and for the pieces to be shared with a helper.
CalcInput Site() {
    CalcInput input = RoundBuilding(600);
    CalcInput blocks = BlockSite();
    input.polygons.insert(input.polygons.end(), blocks.polygons.begin(), blocks.polygons.begin() + 60);
    return input;
}

}  // namespace

// The sanitizer's runtime allocates some blocks itself and may free them through these; pairs of its own
// and ours are not a fault here.
extern "C" const char* __asan_default_options() {
    return "alloc_dealloc_mismatch=0";
}

// The clipper is not safe against an allocation that throws: a record it has made but not yet filed in
// a list that cannot grow is lost. Only a run out of memory meets that, and here runs do on purpose;
// with both passes on threads sharing one budget, the one that fails may be the clipper's.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:ClipperLib::\n";
}

void* operator new(size_t size) {
    return Allocate(size);
}
void* operator new[](size_t size) {
    return Allocate(size);
}
void operator delete(void* block) noexcept {
    free(block);
}
void operator delete[](void* block) noexcept {
    free(block);
}
void operator delete(void* block, size_t) noexcept {
    free(block);
}
void operator delete[](void* block, size_t) noexcept {
    free(block);
}

// Memory running out early, midway and near the end: each run fails with no result and the reason,
// and the next run with memory gives the same areas as before.
TEST(OutOfMemory, ARunThatRunsOutFailsAndTheNextOneSucceeds) {
    CalcRun complete;
    CalcInput input = Site();
    allocations = 0;
    ASSERT_TRUE(ComputeAdAm(&input, CalcOptions(), &complete));
    const CalcResult& whole = complete.result;
    long long needed = allocations;
    ASSERT_GT(needed, 1000);
    for (double fraction : {0.0, 0.001, 0.05, 0.2, 0.4, 0.6, 0.8, 0.95, 0.999}) {
        CalcInput copy = Site();
        CalcRun run;
        run.result = whole;
        bool calculated;
        {
            MemoryBudget budget(static_cast<long long>(fraction * needed));
            calculated = ComputeAdAm(&copy, CalcOptions(), &run);
        }
        EXPECT_FALSE(calculated) << fraction;
        EXPECT_EQ(run.outOfMemory, 1) << fraction;
        EXPECT_EQ(run.result.contourCount, 0) << fraction;
        EXPECT_EQ(run.result.ad, 0.0) << fraction;
    }
    CalcInput again = Site();
    CalcRun run;
    ASSERT_TRUE(ComputeAdAm(&again, CalcOptions(), &run));
    EXPECT_EQ(run.outOfMemory, 0);
    EXPECT_EQ(run.result.ad, whole.ad);
    EXPECT_EQ(run.result.am, whole.am);
}

// The command line's run says that memory ran out, rather than that the drawing cannot be calculated.
TEST(OutOfMemory, CommandLineRunSaysMemoryRanOut) {
    Drawing drawing;
    drawing.polygons.appendPolygon(MakePolygon("hall", 1, {{0, 0, 12}, {40, 0, 12}, {40, 25, 9}, {0, 25, 9}}));
    for (long long budget : {0LL, 200LL}) {
        CalcResult result;
        double seconds;
        testing::internal::CaptureStderr();
        bool calculated;
        {
            MemoryBudget limit(budget);
            calculated = CalculateDrawing(drawing, CalcOptions(), true, &result, &seconds);
        }
        std::string said = testing::internal::GetCapturedStderr();
        EXPECT_FALSE(calculated);
        EXPECT_EQ(said, "Error to calculate Ad and Am\nzelvora-cli: the calculation ran out of memory\n") << budget;
    }
}

// The drawing of a calculation input, written as a file the command line reads.
bool WriteInput(const CalcInput& input, const std::string& path, double mapSize) {
    std::vector<PolygonRecord> polygons;
    for (size_t p = 0; p < input.polygons.size(); p++) {
        std::vector<TestVertex> vertices;
        for (const CalcVertex& v : input.polygons[p].vertices)
            vertices.push_back({v.x, v.y, v.height});
        polygons.push_back(MakePolygon("block", 1, vertices));
    }
    return WriteDrawing(path, polygons, mapSize);
}

// A calculation is refused before it starts only where it surely cannot fit: the drawings whose peaks
// were measured are never refused with that much memory free, and the district and the million-vertex
// polygon that ran out of a 2 GB address space are refused under it.
TEST(MemoryEstimate, RefusesOnlyWhatCannotFit) {
    const int64_t MB = 1 << 20;
    const struct {
        const char* drawing;
        int64_t vertices;
        int64_t available;
        bool beyond;
    } cases[] = {
        {"house, 100 MB free", 6, 100 * MB, false},
        {"house, nothing free", 6, 0, true},
        {"round polygon of 32,000 vertices, its measured peak", 32000, 192 * MB, false},
        {"district of 160,000 vertices, its measured peak", 160000, 1296 * MB, false},
        {"district of 40,000 vertices, its measured peak", 40000, 330 * MB, false},
        {"polygon of 1,000,000 vertices under 2 GB", 1000000, 2048 * MB, true},
        {"district of 2,073,600 vertices under 2 GB", 2073600, 2048 * MB, true},
        {"district of 2,073,600 vertices, 24 GB free", 2073600, 24576 * MB, false},
    };
    for (const auto& c : cases) {
        MemoryNeed need;
        EXPECT_EQ(BeyondMemory(c.vertices, c.available, &need), c.beyond) << c.drawing;
        EXPECT_EQ(need.availableBytes, c.available) << c.drawing;
        EXPECT_GE(need.leastBytes, need.vertices * 1024) << c.drawing;
    }
    // A drawing's count is every vertex of every polygon, taken before anything is built.
    Drawing two;
    two.polygons.appendPolygon(MakePolygon("a", 1, {{0, 0, 5}, {10, 0, 5}, {10, 10, 5}, {0, 10, 5}}));
    two.polygons.appendPolygon(MakePolygon("b", 1, {{20, 0, 5}, {30, 0, 5}, {30, 10, 5}}));
    MemoryNeed need;
    EXPECT_FALSE(BeyondMemory(two, 7 * LeastBytesPerVertex, &need));
    EXPECT_EQ(need.vertices, 7);
    EXPECT_TRUE(BeyondMemory(two, 7 * LeastBytesPerVertex - 1, &need));
    // A lone convex polygon at one height is traced, and takes less; at another height somewhere, or
    // beside another polygon, it does not.
    std::vector<TestVertex> round;
    for (int i = 0; i < 1000; i++)
        round.push_back({500 * std::cos(i * 0.002 * 3.14159265358979), 500 * std::sin(i * 0.002 * 3.14159265358979), 12});
    Drawing tank;
    tank.polygons.appendPolygon(MakePolygon("tank", 1, round));
    EXPECT_FALSE(BeyondMemory(tank, 1000 * LeastBytesPerTracedVertex, &need));
    EXPECT_TRUE(BeyondMemory(tank, 1000 * LeastBytesPerTracedVertex - 1, &need));
    round[500].height = 13;
    Drawing uneven;
    uneven.polygons.appendPolygon(MakePolygon("tank", 1, round));
    EXPECT_TRUE(BeyondMemory(uneven, 1000 * LeastBytesPerVertex - 1, &need));
    tank.polygons.appendPolygon(MakePolygon("b", 1, {{2000, 0, 5}, {2010, 0, 5}, {2010, 10, 5}}));
    EXPECT_TRUE(BeyondMemory(tank, 1003 * LeastBytesPerVertex - 1, &need));
    BeyondMemory(1000000, 2000 * MB, &need);
    EXPECT_EQ(
        BeyondMemoryText(need),
        "The calculation of 1,000,000 vertices needs at least 2,930 MB of memory and 2,000 MB are free; it was not "
        "started.");
}

// Ctrl+C during a long calculation of each command that calculates: the command ends with status 1 and
// "stopped", long before the run would have finished, and nothing it was to write is there, on standard
// output or on disk. The assessment's one structure of 20,000 vertices is stopped midway, not only
// before the structures that have not begun.
TEST(CommandLineStop, InterruptStopsTheCalculationAndWritesNothing) {
    std::string site = TestPath("site.Zlv"), round = TestPath("round.Zlv");
    ASSERT_TRUE(WriteInput(ImportedSite(8000), site, 7000.0));
    CalcInput building = RoundBuilding(20000);
    for (CalcPolygon& polygon : building.polygons)
        for (CalcVertex& v : polygon.vertices)
            v.x += 500.0, v.y += 500.0;
    ASSERT_TRUE(WriteInput(building, round, 1000.0));
    std::string picture = TestPath("site.svg"), features = TestPath("round.geojson"), pdf = TestPath("round.pdf");
    // "stopped" proves the stop; the bound only that it came long before the end (the round building
    // alone runs for minutes under the sanitizers), with room for a loaded machine: finding the site's
    // structures and suggesting their CD come before the runs and are not stopped.
    const double mostSeconds = 60.0;
    const struct {
        std::vector<std::string> words;
        std::string output;
    } cases[] = {
        {{"svg", site, picture, "--quiet"}, picture},
        {{"assess", round, "--geojson", features, "--quiet"}, features},
        {{"assess", site, "--geojson", features, "--threads", "2"}, features},
        {{"report", round, pdf, "--quiet"}, pdf},
    };
    void (*outside)(int) = signal(SIGINT, SIG_IGN);  // a signal that comes too late must not end the tests
    for (const auto& c : cases) {
        std::vector<std::string> words = {"zelvora-cli"};
        words.insert(words.end(), c.words.begin(), c.words.end());
        std::vector<char*> argv;
        for (std::string& word : words)
            argv.push_back(word.data());
        testing::internal::CaptureStderr();
        testing::internal::CaptureStdout();
        std::thread user([] {
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            raise(SIGINT);
        });
        auto start = std::chrono::steady_clock::now();
        int status = RunCli(static_cast<int>(argv.size()), argv.data());
        double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        user.join();
        std::string printed = testing::internal::GetCapturedStdout();
        std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(status, 1) << words[1] << " " << words[2];
        EXPECT_EQ(said, "stopped\n") << words[1] << " " << words[2];
        EXPECT_EQ(printed, "") << words[1] << " " << words[2];
        EXPECT_LT(seconds, mostSeconds) << words[1] << " " << words[2];
        EXPECT_FALSE(FileExists(c.output)) << words[1] << " " << words[2];
    }
    signal(SIGINT, outside);
}
