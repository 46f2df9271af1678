// The structures' table as the clipboard carries it: the cells as the table shows them, under a line
// of the column headings, so that a spreadsheet pastes it as a table.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "assessment/assessment_records.h"

// The rows given, in that order (every structure in its own order when none is given), with tabs
// between cells and CR LF after each line. A tab or line break inside a name becomes a space, since
// it would split the cell.
std::string TableTabText(const AssessmentResult& result, const std::vector<int32_t>& rows);

// The same cells as CSV, quoted where they need it, CR LF after each line.
std::string TableCsvText(const AssessmentResult& result, const std::vector<int32_t>& rows);
