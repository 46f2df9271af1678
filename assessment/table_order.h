// The order of the structures' table when it is sorted by one of its columns.
#pragma once

#include <cstdint>
#include <vector>

#include "assessment/assessment_records.h"
#include "assessment/assessment_table.h"

// Row indexes into result.structures. Numbers compare as numbers (never as their text, so 9 comes
// before 10), names as text without regard to ASCII case; blank cells (a structure that could not be
// calculated, an event without a flash density, a structure without a name) come last in either
// direction, and rows with equal cells keep the structures' own order.
std::vector<int32_t> SortedRows(const AssessmentResult& result, AssessColumn column, bool ascending);
