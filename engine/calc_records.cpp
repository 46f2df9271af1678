#include "engine/calc_records.h"

CalcResult calcResult;

void DiscardResults() {
    calcResult.contourCount = 0;
}
