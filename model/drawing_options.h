// Draw and calculation options of a drawing, with the fixed tables they index.
#pragma once

#include <cstdint>

struct SnapStep {
    double step;        // metres; 0 means no snapping
    const char* label;  // as listed in the Draw options dialog
};

struct ZoomStep {
    double value;       // metres spanned by 10 screen pixels
    const char* label;  // the magnification, reciprocal of the value
};

constexpr int32_t SnapStepCount = 8;
constexpr int32_t ZoomStepCount = 7;
constexpr int32_t PriorityCount = 10;

extern const SnapStep SnapSteps[SnapStepCount];
extern const ZoomStep ZoomSteps[ZoomStepCount];
extern const int32_t PriorityValues[PriorityCount];

struct DrawOptions {
    uint8_t snapOn = 0;
    int32_t snapIndex = 4;  // 1.0 m
    int32_t zoomIndex = 3;  // "x 1.0"
    double mapSize = 100.0;
};

struct CalcOptions {
    double heightProjection = 3.0;      // Ad lies at this factor times the height
    double distanceProjection = 500.0;  // metres from the structure to the Am outline
};

// The least values the option dialogs store; a file holding less was not written by them.
constexpr double MinMapSize = 100.0;  // metres
constexpr double MinHeightProjection = 1.0;
constexpr double MinDistanceProjection = 0.01;  // metres

bool SnapIndexValid(int32_t index);
bool ZoomIndexValid(int32_t index);
bool PriorityIndexValid(int32_t index);

// Options as the dialogs can store them: indices in their tables, finite values at their least or more.
bool DrawOptionsValid(const DrawOptions& options);
bool CalcOptionsValid(const CalcOptions& options);
