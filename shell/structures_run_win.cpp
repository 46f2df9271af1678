#include "shell/structures_run_win.h"

#include <process.h>

#include <atomic>
#include <chrono>
#include <utility>

#include "assessment/structure_runs.h"
#include "engine/run/out_of_memory.h"
#include "ui/gdi_guards_win.h"

struct StructuresJob {
    StructuresJob(HWND window, const Drawing& source, int64_t ticket)
        : window(window), source(source), ticket(ticket), run([this](int32_t position, int32_t total) {
              PostMessageA(this->window, WM_APP_STRUCTURES_PROGRESS, position, total);
          }) {}

    HWND window;
    Drawing source;  // a copy: the user goes on editing the drawing while this one is assessed
    int64_t ticket;
    CalcRun run;
    AssessmentResult result;
    std::chrono::steady_clock::time_point started = std::chrono::steady_clock::now();
    double seconds = 0.0;
    std::atomic<bool> finished{false};
    OwnedHandle thread{nullptr};
};

namespace {

constexpr DWORD LongestWaitAtEnd = 3000;  // milliseconds a stopped run gets to end when the window goes

// The worker holds the job too, so that a window closed meanwhile cannot take it away under it.
unsigned __stdcall StructuresWorker(void* parameter) {
    std::unique_ptr<std::shared_ptr<StructuresJob>> held(static_cast<std::shared_ptr<StructuresJob>*>(parameter));
    StructuresJob& job = **held;
    if (!WithinMemory([&] { job.result = AssessDrawing(job.source, AssessOverrides(), 0, &job.run); }))
        job.run.markOutOfMemory();
    job.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - job.started).count();
    job.finished = true;
    PostMessageA(job.window, WM_APP_STRUCTURES_DONE, 0, static_cast<LPARAM>(job.ticket & 0x7FFFFFFF));
    return 0;
}

}  // namespace

StructuresRun::~StructuresRun() {
    if (!job)
        return;
    job->run.requestStop();
    if (job->thread.handle)
        WaitForSingleObject(job->thread.handle, LongestWaitAtEnd);  // the worker only posts: no deadlock
}

bool StructuresRun::start(HWND window, const Drawing& source, int64_t ticket) {
    stop();
    std::shared_ptr<StructuresJob> made;
    if (!WithinMemory([&] { made = std::make_shared<StructuresJob>(window, source, ticket); }))
        return false;
    auto* held = new std::shared_ptr<StructuresJob>(made);
    made->thread.handle = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, StructuresWorker, held, 0, nullptr));
    if (!made->thread.handle) {
        delete held;
        return false;
    }
    job = std::move(made);
    return true;
}

void StructuresRun::stop() {
    if (job)
        job->run.requestStop();
}

bool StructuresRun::running() const {
    return job && !job->finished;
}

double StructuresRun::secondsSoFar() const {
    return job ? std::chrono::duration<double>(std::chrono::steady_clock::now() - job->started).count() : 0.0;
}

bool StructuresRun::take(int64_t ticket, AssessmentResult* result, bool* stopped, double* seconds) {
    if (!job || !job->finished || (job->ticket & 0x7FFFFFFF) != (ticket & 0x7FFFFFFF))
        return false;
    *result = std::move(job->result);
    *stopped = job->run.stopped();
    *seconds = job->seconds;
    job.reset();
    return true;
}
