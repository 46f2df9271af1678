#include "app/drawing_changes.h"

#include <algorithm>
#include <utility>

#include "app/edit_history.h"

int32_t DrawingChanges::listen(Listener listener) {
    entries.push_back({nextId, std::move(listener)});
    return nextId++;
}

void DrawingChanges::stopListening(int32_t id) {
    entries.erase(std::remove_if(entries.begin(), entries.end(), [id](const Entry& e) { return e.id == id; }),
                  entries.end());
}

bool DrawingChanges::commit(EditHistory* history, Drawing* target) {
    if (!history->recordChange(target))
        return false;
    tell();
    return true;
}

void DrawingChanges::announceReplaced() {
    tell();
}

// A listener may stop listening (a window closing) while it hears; the copy keeps the loop sound.
void DrawingChanges::tell() {
    std::vector<Entry> hearing = entries;
    for (const Entry& entry : hearing)
        if (std::any_of(entries.begin(), entries.end(), [&](const Entry& e) { return e.id == entry.id; }))
            entry.listener();
}
