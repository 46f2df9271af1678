// The assessment as a table: its columns, each cell formatted for people, and the whole as plain text
// (a terminal) or CSV (a spreadsheet).
#pragma once

#include <string>

#include "assessment/assessment_records.h"

enum class AssessColumn { Number, Name, Height, Ad, Am, Cd, Nd, Nm, Nl, Ni, Ndj, Count };

const char* ColumnHeading(AssessColumn column);  // "No.", "Name", "Height [m]", "Ad [m²]", ...

// A cell as a table shows it: heights to 0.01 m, areas to the square metre, events to three significant
// digits; an event that is absent (no flash density) or a structure that could not be calculated gives
// an empty cell, never 0. CD says where it came from, and what the surroundings suggest when it was
// set: "0.5 auto", "1 set (0.5)".
std::string StructureCell(const StructureResult& structure, AssessColumn column);

// A CSV field: quoted when it holds a comma, a quote or a line break, its quotes doubled.
std::string CsvField(const std::string& text);

// The shortest decimal text that reads back as the same double.
std::string ExactNumber(double value);

// One row per structure under a heading line, then the settings used; failures are listed with their
// reason.
std::string AssessmentText(const AssessmentResult& result);

// A header line, then one row per structure with every value at full precision; absent values empty.
std::string AssessmentCsv(const AssessmentResult& result);
