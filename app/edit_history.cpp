#include "app/edit_history.h"

#include <utility>

#include "app/shown_result.h"
#include "assessment/structures.h"
#include "model/drawing_file.h"
#include "options/draw_option_rules.h"

namespace {

// Exactly as long as its content, so that what is counted is what is kept.
std::vector<uint8_t> Snapshot(const Drawing& source) {
    std::vector<uint8_t> bytes = EncodeDrawing(source);
    bytes.shrink_to_fit();
    return bytes;
}

}  // namespace

EditHistory::EditHistory(int32_t stepLimit, size_t byteLimit) : stepLimit(stepLimit), byteLimit(byteLimit) {}

size_t EditHistory::Footprint(const std::vector<uint8_t>& state) {
    return state.capacity() + sizeof state;
}

void EditHistory::reset(const Drawing& start, bool asSaved) {
    states.clear();
    states.push_back(Snapshot(start));
    current = 0;
    saved = asSaved ? 0 : NoState;
    bytes = Footprint(states.front());
}

// A closed drawing has nothing to take back: options changed with no drawing open wait for the next
// New, which starts its own history.
bool EditHistory::recordChange(Drawing* target) {
    if (!target->isOpen)
        return false;
    DropDetachedSettings(target->polygons, &target->assessment);
    std::vector<uint8_t> state = Snapshot(*target);
    bool changed = states.empty() || state != states[current];
    if (changed) {
        dropAfterCurrent();
        bytes += Footprint(state);
        states.push_back(std::move(state));
        current = states.size() - 1;
        // The newest state always stays, even when it alone is beyond the bound in bytes.
        while (current > 0 && (current > static_cast<size_t>(stepLimit) || bytes > byteLimit))
            dropFront();
    }
    target->modified = modified();
    return changed;
}

// The current state takes the bytes just written, so that the saved state is the file exactly, even
// when the view's options changed since the last step.
void EditHistory::markSaved(const Drawing& written) {
    std::vector<uint8_t> state = Snapshot(written);
    if (states.empty()) {
        reset(written, true);
        return;
    }
    bytes = bytes - Footprint(states[current]) + Footprint(state);
    states[current] = std::move(state);
    saved = current;
}

bool EditHistory::undo(Drawing* target, ShownResult* shown) {
    return canUndo() && moveTo(current - 1, target, shown);
}

bool EditHistory::redo(Drawing* target, ShownResult* shown) {
    return canRedo() && moveTo(current + 1, target, shown);
}

// The state is decoded completely before anything of the target changes.
bool EditHistory::moveTo(size_t index, Drawing* target, ShownResult* shown) {
    const std::vector<uint8_t>& state = states[index];
    DrawingImage image;
    if (DecodeDrawing(state.data(), state.size(), &image) != FileError::None)
        return false;
    PolygonStore polygons;
    if (!polygons.replacePolygons(std::move(image.polygons)))
        return false;
    // The zoom is how the user looks at the drawing, not part of it: it stays, unless the grid of the
    // state returned to would be too dense at it.
    int32_t zoom = target->drawOptions.zoomIndex;
    target->polygons = std::move(polygons);
    target->drawOptions = image.drawOptions;
    if (!SnapZoomRefused(image.drawOptions.snapIndex, zoom))
        target->drawOptions.zoomIndex = zoom;
    target->calcOptions = image.calcOptions;
    target->georeference = image.georeference;
    target->assessment = std::move(image.assessment);
    current = index;
    target->modified = modified();
    if (shown)
        shown->discard();
    return true;
}

void EditHistory::dropFront() {
    bytes -= Footprint(states.front());
    states.pop_front();
    current--;
    saved = saved == 0 || saved == NoState ? NoState : saved - 1;
}

void EditHistory::dropAfterCurrent() {
    while (states.size() > current + 1) {
        bytes -= Footprint(states.back());
        states.pop_back();
    }
    if (saved != NoState && saved > current)
        saved = NoState;
}
