// A document: polygons, options, file name and flags.
#pragma once

#include <cstdint>

#include "model/assessment_settings.h"
#include "model/drawing_options.h"
#include "model/georeference.h"
#include "model/polygon_store.h"

constexpr int32_t FileNameSize = 260;  // bytes, including the terminating NUL

struct Drawing {
    PolygonStore polygons;
    DrawOptions drawOptions;
    CalcOptions calcOptions;
    Georeference georeference;         // present only for an imported drawing
    AssessmentSettings assessment;     // what the engineer set for the dangerous events
    char fileName[FileNameSize] = {};  // empty while the drawing is untitled
    uint8_t isOpen = 0;
    uint8_t modified = 0;   // changed since created, opened or last saved
    uint8_t calcReady = 0;  // last verdict of CheckDrawing; gates View Ad and View Am
};

void resetOptions(Drawing* target);

// Stores path as the file name; false, leaving the name as it was, when the path does not fit.
bool SetFileName(Drawing* target, const char* path);
