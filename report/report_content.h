// The calculation report of a drawing, as a page description: title block, settings, site plan,
// results, how each number was found, and the method. Built from one assessment, so that every number
// in it is the one the assessment gave.
#pragma once

#include <string>

#include "assessment/assessment_records.h"
#include "engine/run/calc_records.h"
#include "model/drawing.h"
#include "report/page_flow.h"

struct ReportInput {
    const Drawing* drawing = nullptr;
    const AssessmentResult* assessment = nullptr;
    const CalcResult* whole = nullptr;  // the whole drawing's Ad and Am outlines
    std::string fileName;               // as the title block and the footer name it
    std::string dateTime;               // "2026-12-08 14:05"
    std::string footprintSource;        // "drawn", or the file and projection it was imported from
    ReportSignatures signatures;
};

constexpr const char* kReportTitle = "Lightning collection areas and dangerous events";

PageDescription BuildReport(const ReportInput& input, const TextWidthFn& width);

// How the footprints came into a drawing: "drawn", or what its georeference tells of the import.
std::string FootprintSourceOf(const Drawing& drawing);
