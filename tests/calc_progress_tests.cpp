// Tests of the run's progress when two passes advance it at once: the sink sees each position once and
// in order, a share hands out exactly its steps however its work reports, and a stop freezes it; and of
// the work shared between two threads.
#include "engine/calc_records.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

#include "engine/parallel_for.h"
#include "engine/polygon_checks.h"

namespace {

std::vector<int32_t> positions;
std::atomic<int> inSink{0};
std::atomic<int> overlaps{0};

// Counts calls that find another still inside, and yields to make such overlaps likely if they can happen.
void RecordingSink(int32_t position, int32_t) {
    if (inSink.fetch_add(1) != 0)
        overlaps++;
    std::this_thread::yield();
    positions.push_back(position);
    inSink.fetch_sub(1);
}

// A run whose range is large enough for the steps of the tests.
void StartRun() {
    CalcInput input;
    input.polygons.resize(1);
    input.polygons[0].vertices.resize(5000);
    stopRequested = 0;
    positions.clear();
    overlaps = 0;
    SetProgressSink(RecordingSink);
    InitProgress(input);
}

class Progress : public ::testing::Test {
  protected:
    void SetUp() override { StartRun(); }
    void TearDown() override {
        SetProgressSink(nullptr);
        stopRequested = 0;
    }
};

}  // namespace

TEST_F(Progress, TwoThreadsAdvancingTogetherReachTheSinkInOrder) {
    const int perThread = 4000;
    auto advance = [] {
        for (int i = 0; i < perThread; i++)
            AdvanceProgress();
    };
    std::thread other(advance);
    advance();
    other.join();
    EXPECT_EQ(overlaps.load(), 0);
    ASSERT_EQ(positions.size(), 2u * perThread + 1);
    for (size_t i = 0; i < positions.size(); i++)
        ASSERT_EQ(positions[i], static_cast<int32_t>(i));
}

// Fractions that stall, repeat or go back hand out nothing twice; the end hands out the rest.
TEST_F(Progress, ShareHandsOutExactlyItsSteps) {
    const struct {
        int64_t steps;
        std::vector<double> fractions;
        std::vector<int32_t> reached;  // the position after each fraction
    } cases[] = {
        {10, {0.25, 0.25, 0.1, 0.99, 1.0}, {2, 2, 2, 9, 10}},
        {3, {0.5, 2.0}, {1, 3}},
        {0, {0.5, 1.0}, {0, 0}},
        {7, {-1.0, 0.999999}, {0, 6}},
    };
    for (const auto& c : cases) {
        StartRun();
        ProgressShare share(c.steps);
        for (size_t i = 0; i < c.fractions.size(); i++) {
            share.reach(c.fractions[i]);
            EXPECT_EQ(progressPosition.load(), c.reached[i]) << c.steps << " steps, fraction " << c.fractions[i];
        }
        share.finish();
        EXPECT_EQ(progressPosition.load(), c.steps);
    }
}

// After a Close the bar stays where it was, however many steps the passes still report.
TEST_F(Progress, StopFreezesThePosition) {
    ProgressShare share(100);
    share.reach(0.3);
    stopRequested = 1;
    share.finish();
    AdvanceProgress();
    EXPECT_EQ(progressPosition.load(), 30);
    EXPECT_EQ(positions.back(), 30);
}

// Shared work: every piece done exactly once, whatever the count, and the caller told of finished
// pieces in rising counts (of none, if the helper took them all).
TEST(ParallelFor, DoesEveryPieceOnce) {
    for (size_t count : {0u, 1u, 2u, 3u, 1000u}) {
        std::vector<std::atomic<int>> done(count);
        std::vector<size_t> reported;
        ParallelFor(
            count, [&](size_t i) { done[i]++; }, [&](size_t finished) { reported.push_back(finished); });
        for (size_t i = 0; i < count; i++)
            ASSERT_EQ(done[i].load(), 1) << count << " pieces, piece " << i;
        EXPECT_TRUE(std::is_sorted(reported.begin(), reported.end())) << count;
        EXPECT_LE(reported.empty() ? 0 : reported.back(), count);
    }
}
