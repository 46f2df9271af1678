#include "assessment/table_order.h"

#include <algorithm>
#include <numeric>
#include <optional>
#include <string>

namespace {

std::optional<double> NumberOf(const StructureResult& s, AssessColumn column) {
    switch (column) {
        case AssessColumn::Number: return s.number;
        case AssessColumn::Height: return s.height;
        default: break;
    }
    if (!s.calculated)
        return std::nullopt;
    switch (column) {
        case AssessColumn::Ad: return s.ad;
        case AssessColumn::Am: return s.am;
        case AssessColumn::Cd: return s.cd;
        case AssessColumn::Nd: return s.events.nd;
        case AssessColumn::Nm: return s.events.nm;
        case AssessColumn::Nl: return s.events.nl;
        case AssessColumn::Ni: return s.events.ni;
        case AssessColumn::Ndj: return s.events.ndj;
        default: return std::nullopt;
    }
}

char Folded(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// -1, 0 or 1, as the two names order.
int CompareNames(const std::string& a, const std::string& b) {
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; i++) {
        unsigned char x = Folded(a[i]), y = Folded(b[i]);
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

// -1, 0 or 1 for two present cells in ascending order.
int CompareCells(const StructureResult& a, const StructureResult& b, AssessColumn column) {
    if (column == AssessColumn::Name)
        return CompareNames(a.name, b.name);
    double x = *NumberOf(a, column), y = *NumberOf(b, column);
    return x < y ? -1 : x > y ? 1 : 0;
}

bool Blank(const StructureResult& s, AssessColumn column) {
    return column == AssessColumn::Name ? s.name.empty() : !NumberOf(s, column).has_value();
}

}  // namespace

std::vector<int32_t> SortedRows(const AssessmentResult& result, AssessColumn column, bool ascending) {
    const std::vector<StructureResult>& rows = result.structures;
    std::vector<int32_t> order(rows.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int32_t i, int32_t j) {
        bool blankI = Blank(rows[i], column), blankJ = Blank(rows[j], column);
        if (blankI || blankJ)
            return !blankI && blankJ;
        int order = CompareCells(rows[i], rows[j], column);
        return ascending ? order < 0 : order > 0;
    });
    return order;
}
