#include "report/paper_fit.h"

#include <algorithm>

#include "report/page_description.h"

namespace {

// A4 as a PostScript printer states it (595 x 842 points) is 0.1 mm narrower than the page: that is
// still A4, printed at its own size, so that the site plan's stated scale holds on paper.
constexpr double kSlackMm = 1.0;

double ScaleToHold(double paperMm, double pageMm) {
    return paperMm + kSlackMm >= pageMm ? 1.0 : paperMm / pageMm;
}

}  // namespace

PaperFit FitPageToPaper(double paperWidthMm, double paperHeightMm) {
    PaperFit fit;
    // A device that states no paper size gets the page as it is, from its corner.
    if (!(paperWidthMm > 0.0 && paperHeightMm > 0.0))
        return fit;
    // A paper smaller than the page (Letter is 18 mm shorter) would lose the foot of every page, its
    // page numbers among it; the whole page shrunk onto it is still a complete report.
    fit.scale = std::min(ScaleToHold(paperWidthMm, kPageWidthMm), ScaleToHold(paperHeightMm, kPageHeightMm));
    fit.leftMm = (paperWidthMm - fit.scale * kPageWidthMm) / 2.0;
    fit.topMm = (paperHeightMm - fit.scale * kPageHeightMm) / 2.0;
    return fit;
}
