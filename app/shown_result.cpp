#include "app/shown_result.h"

#include <utility>

#include "engine/checks/polygon_checks.h"

namespace {

const CalcResult NoResult;

bool SameInput(const CalcInput& a, const CalcInput& b) {
    if (a.polygons.size() != b.polygons.size())
        return false;
    for (size_t p = 0; p < a.polygons.size(); p++) {
        const std::vector<CalcVertex>& va = a.polygons[p].vertices;
        const std::vector<CalcVertex>& vb = b.polygons[p].vertices;
        if (va.size() != vb.size())
            return false;
        for (size_t i = 0; i < va.size(); i++)
            if (va[i].x != vb[i].x || va[i].y != vb[i].y || va[i].height != vb[i].height)
                return false;
    }
    return true;
}

}  // namespace

const CalcResult& ShownResult::of(const Drawing& source) const {
    if (result.contourCount == 0 || options.heightProjection != source.calcOptions.heightProjection ||
        options.distanceProjection != source.calcOptions.distanceProjection || !SameInput(input, MakeCalcInput(source)))
        return NoResult;
    return result;
}

void ShownResult::accept(CalcInput calculated, const CalcOptions& calculatedWith, CalcResult completed) {
    input = std::move(calculated);
    options = calculatedWith;
    result = std::move(completed);
}

void ShownResult::discard() {
    input = CalcInput();
    result = CalcResult();
}
