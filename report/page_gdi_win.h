// Draws the report's page description through GDI, for the printer: the same pages as the PDF, set in
// the same embedded fonts.
#pragma once

#include <windows.h>

#include "report/page_description.h"

// The report's fonts made known to GDI for this process while the object lives.
class ReportFontsGdi {
  public:
    ReportFontsGdi();
    ~ReportFontsGdi();
    ReportFontsGdi(const ReportFontsGdi&) = delete;
    ReportFontsGdi& operator=(const ReportFontsGdi&) = delete;
    bool Ready() const;

  private:
    HANDLE fonts_[3] = {};
};

// Where the page lies on the device: pixels per millimetre, and the device position of the page's top
// left corner (a printer's origin is the corner of its printable area, inside the paper's).
struct PagePlacement {
    double pixelsPerMmX = 1.0;
    double pixelsPerMmY = 1.0;
    double originX = 0.0;
    double originY = 0.0;
};

// The page on the printer's paper: at its own size, or shrunk onto paper smaller than A4.
PagePlacement PrinterPlacement(HDC printer);

void DrawPageGdi(HDC dc, const Page& page, const PagePlacement& placement);
