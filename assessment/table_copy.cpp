#include "assessment/table_copy.h"

#include <numeric>

#include "assessment/assessment_table.h"

namespace {

std::string WithoutBreaks(std::string cell) {
    for (char& c : cell)
        if (c == '\t' || c == '\r' || c == '\n')
            c = ' ';
    return cell;
}

template <typename CellText>
std::string Lines(const AssessmentResult& result, const std::vector<int32_t>& rows, char separator, CellText cellText) {
    std::vector<int32_t> chosen = rows;
    if (chosen.empty()) {
        chosen.resize(result.structures.size());
        std::iota(chosen.begin(), chosen.end(), 0);
    }
    const int count = static_cast<int>(AssessColumn::Count);
    std::string text;
    for (int c = 0; c < count; c++)
        text += (c ? std::string(1, separator) : "") + cellText(ColumnHeading(static_cast<AssessColumn>(c)));
    text += "\r\n";
    for (int32_t row : chosen) {
        if (row < 0 || static_cast<size_t>(row) >= result.structures.size())
            continue;
        for (int c = 0; c < count; c++)
            text += (c ? std::string(1, separator) : "") +
                    cellText(StructureCell(result.structures[row], static_cast<AssessColumn>(c)));
        text += "\r\n";
    }
    return text;
}

}  // namespace

std::string TableTabText(const AssessmentResult& result, const std::vector<int32_t>& rows) {
    return Lines(result, rows, '\t', WithoutBreaks);
}

std::string TableCsvText(const AssessmentResult& result, const std::vector<int32_t>& rows) {
    return Lines(result, rows, ',', CsvField);
}
