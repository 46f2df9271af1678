// A report from a drawing: the calculation it rests on (the assessment of every structure and the whole
// drawing's outlines for the site plan), then its pages and its PDF. The program and the command line
// both make their reports here.
#pragma once

#include <cstdint>
#include <vector>

#include "assessment/assessment_records.h"
#include "engine/run/calc_records.h"
#include "engine/run/calc_run.h"
#include "model/drawing.h"
#include "report/pdf_writer.h"
#include "report/report_content.h"

struct ReportCalculation {
    AssessmentResult assessment;
    CalcResult whole;  // no contour when the whole drawing could not be calculated
};

// Assesses the drawing and calculates it whole. threads as for AssessDrawing; a watch, when given, gets the
// progress and its stop ends the calculation early.
ReportCalculation CalculateReport(const Drawing& drawing, const AssessOverrides& overrides, int32_t threads,
                                  CalcRun* watch = nullptr);

// What the title block and the footer say besides the numbers.
struct ReportRequest {
    std::string fileName;
    std::string dateTime;
    std::string footprintSource;
    ReportSignatures signatures;
};

// The local time as the report prints it: "2026-12-08 14:05".
std::string ReportDateTime();

PageDescription ReportPages(const Drawing& drawing, const ReportCalculation& calculation, const ReportRequest& request,
                            const PdfTypesetter& typesetter);

// The report as the bytes of a PDF file; false when the PDF library or its fonts fail.
bool ReportPdf(const Drawing& drawing, const ReportCalculation& calculation, const ReportRequest& request,
               std::vector<uint8_t>* bytes);
