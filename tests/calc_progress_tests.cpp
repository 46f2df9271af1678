// Tests of a run's progress when two passes advance it at once: the sink sees each position once and
// in order, a share hands out exactly its steps however its work reports, and a stop freezes it; of runs
// going on side by side; and of the work shared between two threads.
#include "engine/run/calc_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <thread>
#include <vector>

#include "engine/checks/polygon_checks.h"
#include "engine/construction/ad_am_outlines.h"
#include "engine/run/parallel_for.h"

namespace {

// Counts calls that find another still inside, and yields to make such overlaps likely if they can happen.
class Progress : public ::testing::Test {
  protected:
    void SetUp() override { run.progress.start(20000); }

    void Record(int32_t position) {
        if (inSink.fetch_add(1) != 0)
            overlaps++;
        std::this_thread::yield();
        positions.push_back(position);
        inSink.fetch_sub(1);
    }

    std::vector<int32_t> positions;
    std::atomic<int> inSink{0};
    std::atomic<int> overlaps{0};
    CalcRun run{[this](int32_t position, int32_t) { Record(position); }};
};

}  // namespace

// One thread steps one at a time, the other eight at a time, as a share hands them out.
TEST_F(Progress, TwoThreadsAdvancingTogetherReachTheSinkInOrder) {
    const int perThread = 4000;
    auto advance = [this](int batch) {
        for (int i = 0; i < perThread / batch; i++)
            run.advance(batch);
    };
    std::thread other(advance, 8);
    advance(1);
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
        run.progress.start(20000);
        ProgressShare share(&run, c.steps);
        for (size_t i = 0; i < c.fractions.size(); i++) {
            share.reach(c.fractions[i]);
            EXPECT_EQ(run.progress.position(), c.reached[i]) << c.steps << " steps, fraction " << c.fractions[i];
        }
        share.finish();
        EXPECT_EQ(run.progress.position(), c.steps);
    }
}

// After a Close the bar stays where it was, however many steps the passes still report.
TEST_F(Progress, StopFreezesThePosition) {
    ProgressShare share(&run, 100);
    share.reach(0.3);
    run.requestStop();
    share.finish();
    run.advance();
    EXPECT_EQ(run.progress.position(), 30);
    EXPECT_EQ(positions.back(), 30);
}

// A range too large for a 32-bit bar is clamped rather than wrapped, and a new start begins at 0.
TEST_F(Progress, RangeIsClampedAndRestartsAtZero) {
    const struct {
        int64_t steps;
        int32_t total;
    } cases[] = {{0, 0}, {-5, 0}, {148, 148}, {int64_t{1} << 40, 2147483647}};
    for (const auto& c : cases) {
        run.advance();
        run.progress.start(c.steps);
        EXPECT_EQ(run.progress.total(), c.total) << c.steps;
        EXPECT_EQ(run.progress.position(), 0) << c.steps;
        EXPECT_EQ(positions.back(), 0) << c.steps;
    }
}

// Runs on several threads at once share nothing: a run stopped at its first step leaves the others
// to complete with the areas each gives alone, and each sink sees only its own run's positions.
TEST(CalcRuns, RunsOnSeveralThreadsAreIndependent) {
    auto box = [](double x, double height) {
        CalcPolygon polygon;
        polygon.vertices = {{x, 0, height}, {x + 10, 0, height}, {x + 10, 10, height}, {x, 10, height}};
        CalcInput input;
        input.polygons.push_back(polygon);
        return input;
    };
    const std::vector<CalcInput> inputs = {box(0, 4), box(100, 9), box(-50, 2), box(0, 4)};
    std::vector<CalcResult> alone;
    for (CalcInput input : inputs) {
        CalcRun run;
        ASSERT_TRUE(ComputeAdAm(&input, CalcOptions(), &run));
        alone.push_back(run.result);
    }
    const size_t stoppedRun = 1;
    std::vector<std::vector<int32_t>> seen(inputs.size());
    std::vector<std::unique_ptr<CalcRun>> runs;
    for (size_t i = 0; i < inputs.size(); i++)
        runs.push_back(std::make_unique<CalcRun>([&seen, &runs, i](int32_t position, int32_t) {
            seen[i].push_back(position);
            if (i == stoppedRun && position == 1)
                runs[i]->requestStop();
        }));
    std::vector<char> completed(inputs.size(), 0);
    std::vector<std::thread> threads;
    for (size_t i = 0; i < inputs.size(); i++)
        threads.emplace_back([&, i] {
            CalcInput input = inputs[i];
            completed[i] = ComputeAdAm(&input, CalcOptions(), runs[i].get());
        });
    for (std::thread& thread : threads)
        thread.join();
    for (size_t i = 0; i < inputs.size(); i++) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(std::is_sorted(seen[i].begin(), seen[i].end()));
        if (i == stoppedRun) {
            EXPECT_FALSE(completed[i]);
            EXPECT_EQ(seen[i].back(), 1);
            EXPECT_EQ(runs[i]->result.contourCount, 0);
            continue;
        }
        EXPECT_TRUE(completed[i]);
        EXPECT_EQ(seen[i].back(), runs[i]->progress.total() - 2);
        EXPECT_EQ(runs[i]->result.ad, alone[i].ad);
        EXPECT_EQ(runs[i]->result.am, alone[i].am);
    }
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
