// The Structures window's table leaving the program: to the clipboard, and to a CSV or GeoJSON file.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "assessment/assessment_records.h"
#include "model/drawing.h"

// The rows given (all when none) as Unicode and 8-bit text with tabs, for a spreadsheet to paste as
// a table, and as CSV under the registered format "Csv". False when the clipboard cannot be had.
bool CopyStructureRows(HWND owner, const AssessmentResult& result, const std::vector<int32_t>& rows);

// Asks for a file and writes the table as CSV or GeoJSON, the same bytes as zelvora-cli assess --csv
// and --geojson; a failed write leaves the file that was there as it was and says so.
void ExportStructures(HWND owner, const Drawing& source, const AssessmentResult& result);
