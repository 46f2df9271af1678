// What both import fuzzers check after parsing: building the import never crashes, every polygon it
// keeps passes the calculation's check, and applying it never fails for a result with polygons.
#pragma once

#include <cstdlib>

#include "engine/checks/polygon_checks.h"
#include "exchange/import_build.h"

inline void CheckImport(const ImportSource& source) {
    ImportSettings settings;
    settings.defaultHeight = 4.0;
    ImportResult result = BuildImport(source, settings);
    ImportSummary(result);
    Drawing target;
    ApplyOutcome outcome = ApplyImport(result, true, &target);
    if (outcome == ApplyOutcome::Applied && !CheckDrawing(target))
        abort();  // a footprint passed the import's checks but not the calculation's
    if (outcome != ApplyOutcome::Applied && target.polygons.count() != 0)
        abort();  // a refused import changed the drawing
}
