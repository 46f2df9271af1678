#include "editing/edit_dialog_rules.h"

#include <cstdio>
#include <cstring>

#include "engine/run/calc_records.h"

int32_t ClampPriority(int32_t priority) {
    return priority < 0 ? 0 : priority > PriorityCount - 1 ? PriorityCount - 1 : priority;
}

bool ReadNewVertexFields(char* heightText, const char* nameText, int32_t priority, VertexAnswer* answer) {
    double height = 0.0;
    if (!ReadNumberField(heightText, NewVertexHeightRange, &height) || !nameText[0])
        return false;
    answer->height = height;
    answer->priority = ClampPriority(priority);
    snprintf(answer->name, PolygonNameSize, "%s", nameText);
    return true;
}

bool VertexExists(const PolygonStore& store, int32_t polygon, int32_t vertex) {
    return polygon >= 0 && polygon < store.count() && vertex >= 0 && vertex < store.polygon(polygon).vertexCount;
}

SaveOutcome SaveVertexHeight(Drawing* target, int32_t polygon, int32_t vertex, char* text) {
    double height = 0.0;
    if (!ReadNumberField(text, VertexHeightRange, &height))
        return SaveOutcome::Refused;
    bool changed = height != target->polygons.polygon(polygon).height[vertex];
    if (changed)
        MarkDrawingChanged(target);
    target->polygons.setVertexHeight(polygon, vertex, height);
    return changed ? SaveOutcome::Changed : SaveOutcome::Unchanged;
}

SaveOutcome SavePolygonOptions(Drawing* target, int32_t polygon, int32_t priority, const char* name) {
    if (!name[0])
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
