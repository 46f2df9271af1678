// The result view as a standalone SVG picture: the Ad or Am outline, the structure on top, the area.
#pragma once

#include <string>

#include "engine/run/calc_records.h"
#include "model/drawing.h"

// North up in the drawing's own orientation: world y grows downwards, as it does in SVG.
std::string ResultSvg(const Drawing& source, const CalcResult& result, bool adView);
