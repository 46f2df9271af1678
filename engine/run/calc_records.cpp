#include "engine/run/calc_records.h"

void ClearResult(CalcResult* result) {
    result->contourCount = 0;
    result->ad = 0.0;
    result->am = 0.0;
}
