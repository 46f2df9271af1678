// The report as PDF: the described pages in the report's embedded fonts, and the widths of text in
// those fonts that the page layout needs.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "report/page_description.h"

// A PDF document with the report's fonts loaded; it measures text as the PDF will set it.
class PdfTypesetter {
  public:
    PdfTypesetter();
    ~PdfTypesetter();
    PdfTypesetter(const PdfTypesetter&) = delete;
    PdfTypesetter& operator=(const PdfTypesetter&) = delete;

    bool Ready() const;  // false when the library or its fonts could not be set up
    double WidthMm(const std::string& text, double sizePt, bool bold) const;

    // Draws the pages into this document and gives the whole file; call once.
    bool Write(const PageDescription& pages, const std::string& title, std::vector<uint8_t>* bytes);

  private:
    struct Document;
    std::unique_ptr<Document> document_;
};
