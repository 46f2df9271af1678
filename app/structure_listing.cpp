#include "app/structure_listing.h"

#include <utility>

#include "model/drawing_file.h"

namespace {

// Every value the assessment reads (polygons, names, options, settings) is in the file's bytes.
std::vector<uint8_t> StateOf(const Drawing& source) {
    return source.isOpen ? EncodeDrawing(source) : std::vector<uint8_t>();
}

}  // namespace

int64_t StructureListing::begin(const Drawing& source) {
    stateOf = StateOf(source);
    result = AssessmentResult();
    current = source.isOpen ? ListingState::Calculating : ListingState::NoDrawing;
    return ++ticket;
}

bool StructureListing::finish(int64_t finished, AssessmentResult completed, bool stopped, double seconds,
                              const Drawing& now) {
    if (finished != ticket || current != ListingState::Calculating || StateOf(now) != stateOf)
        return false;
    result = std::move(completed);
    current = stopped ? ListingState::Stopped : ListingState::Current;
    lastSeconds = seconds;
    lastStopped = stopped;
    return true;
}

ChangeAction StructureListing::changed(const Drawing& now, double secondsRunning) {
    if (!now.isOpen) {
        clear();
        return ChangeAction::Nothing;
    }
    if (current != ListingState::NoDrawing && StateOf(now) == stateOf)
        return ChangeAction::Nothing;
    bool running = current == ListingState::Calculating;
    bool slow = running ? secondsRunning > LongestAutomaticRun || lastSeconds > LongestAutomaticRun
                        : lastSeconds > LongestAutomaticRun || lastStopped;
    bool fresh = current == ListingState::NoDrawing;  // a drawing just opened is listed at once
    ticket++;                                         // a run still going belongs to the old state
    result = AssessmentResult();
    stateOf = StateOf(now);
    current = ListingState::OutOfDate;
    return slow && !fresh ? ChangeAction::WaitUntilAsked : ChangeAction::Recalculate;
}

void StructureListing::clear() {
    stateOf.clear();
    result = AssessmentResult();
    current = ListingState::NoDrawing;
    ticket++;
}

const AssessmentResult* StructureListing::rows() const {
    return current == ListingState::Current || current == ListingState::Stopped ? &result : nullptr;
}
