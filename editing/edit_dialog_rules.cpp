#include "editing/edit_dialog_rules.h"

#include <cstdio>
#include <cstring>
#include <utility>

#include "engine/run/calc_records.h"
#include "text/decimal_text.h"
#include "text/ui_texts.h"

namespace {

void Tell(Refusal* refusal, Refusal why) {
    if (refusal)
        *refusal = std::move(why);
}

bool NameRefused(const char* name, Refusal* refusal) {
    if (name[0])
        return false;
    Tell(refusal, {NameField, TEXT_NAME_NEEDED});
    return true;
}

}  // namespace

std::string HeightText(double height) {
    return DecimalText(height, 2);
}

int32_t ClampPriority(int32_t priority) {
    return priority < 0 ? 0 : priority > PriorityCount - 1 ? PriorityCount - 1 : priority;
}

bool ReadNewVertexFields(const char* heightText, const char* nameText, int32_t priority, VertexAnswer* answer,
                         Refusal* refusal) {
    double height = 0.0;
    if (!ReadShownNumber(heightText, HeightText(answer->height), answer->height, NewVertexHeightRange, &height)) {
        Tell(refusal, RefuseRange(HeightField, NewVertexHeightRange));
        return false;
    }
    if (NameRefused(nameText, refusal))
        return false;
    answer->height = height;
    answer->priority = ClampPriority(priority);
    snprintf(answer->name, PolygonNameSize, "%s", nameText);
    return true;
}

bool VertexExists(const PolygonStore& store, int32_t polygon, int32_t vertex) {
    return polygon >= 0 && polygon < store.count() && vertex >= 0 && vertex < store.polygon(polygon).vertexCount;
}

SaveOutcome SaveVertexHeight(Drawing* target, int32_t polygon, int32_t vertex, const char* text, Refusal* refusal) {
    double stored = target->polygons.polygon(polygon).height[vertex], height = 0.0;
    if (!ReadShownNumber(text, HeightText(stored), stored, VertexHeightRange, &height)) {
        Tell(refusal, RefuseRange(HeightField, VertexHeightRange));
        return SaveOutcome::Refused;
    }
    bool changed = height != stored;
    if (changed)
        MarkDrawingChanged(target);
    target->polygons.setVertexHeight(polygon, vertex, height);
    return changed ? SaveOutcome::Changed : SaveOutcome::Unchanged;
}

SaveOutcome SavePolygonOptions(Drawing* target, int32_t polygon, int32_t priority, const char* name, Refusal* refusal) {
    if (NameRefused(name, refusal))
        return SaveOutcome::Refused;
    priority = ClampPriority(priority);
    const PolygonRecord& stored = target->polygons.polygon(polygon);
    bool reordered = priority != stored.priority;
    bool renamed = strncmp(name, stored.name, PolygonNameSize - 1) != 0;
    if (reordered || renamed)
        MarkDrawingChanged(target);
    target->polygons.setPriority(polygon, priority);
    target->polygons.setName(polygon, name);
    return reordered || renamed ? SaveOutcome::Changed : SaveOutcome::Unchanged;
}

bool ReadImportHeight(const char* text, double* height, Refusal* refusal) {
    if (ReadShownNumber(text, HeightText(*height), *height, ImportHeightRange, height))
        return true;
    Tell(refusal, RefuseRange(HeightField, ImportHeightRange));
    return false;
}
