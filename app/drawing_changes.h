// How the rest of the program hears that the open drawing is no longer what it showed: an edit of it
// (a tool, a dialog, a setting) or its replacement (New, Open, Import, Close, Undo, Redo). Whoever shows
// something derived from the drawing listens and drops or recalculates it.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "model/drawing.h"

class EditHistory;

class DrawingChanges {
  public:
    using Listener = std::function<void()>;

    // The id to stop listening with; listeners hear in the order they started.
    int32_t listen(Listener listener);
    void stopListening(int32_t id);

    // After an edit of the drawing: records the undo step (which marks the drawing modified) and tells
    // every listener. The shown result needs no word: it is kept with its input and never shown for
    // another. A drawing equal to the last recorded state changes
    // nothing and tells no one.
    bool commit(EditHistory* history, Drawing* target);

    // After the drawing was replaced or moved through its history: tells every listener.
    void announceReplaced();

  private:
    void tell();

    struct Entry {
        int32_t id;
        Listener listener;
    };
    std::vector<Entry> entries;
    int32_t nextId = 1;
};
