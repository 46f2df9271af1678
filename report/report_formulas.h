// The report's account of how each number was found: every formula of a structure with the values put
// in, written as "ND = NG · AD · CD · 10^-6 = 4 · 22 309 · 1 · 10^-6 = 0.0892".
#pragma once

#include <string>
#include <vector>

#include "assessment/assessment_records.h"

// One formula use as a line of the report.
std::string FormulaLine(const FormulaUse& use);

// The lines for one structure: its areas, its CD, ND and NM, then per line its areas and events.
std::vector<std::string> StructureDerivation(const AssessmentResult& result, const StructureResult& structure);
