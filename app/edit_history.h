// Undo and redo: the states the drawing passed through, each kept as the bytes a saved file of it
// would hold (polygons, draw and calculation options, georeference), with the one that was last
// saved or opened marked so that returning to it clears "modified" again.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

#include "model/drawing.h"

class ShownResult;

constexpr int32_t HistoryStepLimit = 200;
constexpr size_t HistoryByteLimit = size_t{64} << 20;

class EditHistory {
  public:
    explicit EditHistory(int32_t stepLimit = HistoryStepLimit, size_t byteLimit = HistoryByteLimit);

    // Starts over with the drawing as the only state, nothing to undo or redo: New, Open and Close
    // (asSaved: the state is the file's), Import (not saved: the imported drawing stays modified).
    void reset(const Drawing& start, bool asSaved);

    // After each completed change of an open drawing: it becomes the newest state, the steps that
    // could have been redone are dropped, and the oldest steps beyond the bounds go. A drawing equal
    // to the current state makes no step. Sets the drawing's modified flag.
    bool recordChange(Drawing* target);

    // After a successful save: the drawing as written is the saved state.
    void markSaved(const Drawing& written);

    bool canUndo() const { return current > 0; }
    bool canRedo() const { return current + 1 < states.size(); }

    // Replace the drawing's content with the state before (after) the current one, discard the
    // shown result when one is given, and set modified unless that state is the saved one. The zoom stays as it is. The
    // file name and the open flag stay; calcReady waits for the next check of the polygons. False, changing nothing,
    // when there is no such step.
    bool undo(Drawing* target, ShownResult* shown = nullptr);
    bool redo(Drawing* target, ShownResult* shown = nullptr);

    bool modified() const { return saved == NoState || saved != current; }
    int32_t undoSteps() const { return static_cast<int32_t>(current); }
    int32_t redoSteps() const { return states.empty() ? 0 : static_cast<int32_t>(states.size() - 1 - current); }
    size_t bytesKept() const { return bytes; }  // the memory the states hold, counted as allocated

  private:
    static constexpr size_t NoState = SIZE_MAX;
    bool moveTo(size_t index, Drawing* target, ShownResult* shown);
    void dropFront();
    void dropAfterCurrent();
    static size_t Footprint(const std::vector<uint8_t>& state);

    std::deque<std::vector<uint8_t>> states;
    size_t current = 0;
    size_t saved = NoState;
    int32_t stepLimit;
    size_t byteLimit;
    size_t bytes = 0;
};
