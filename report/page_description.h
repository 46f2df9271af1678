// One description of the report's pages, in millimetres from each page's top left corner (y grows
// downwards), that every output draws: the PDF writer and the printer draw the same items.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

constexpr double kPageWidthMm = 210.0;  // A4 portrait
constexpr double kPageHeightMm = 297.0;
constexpr double kMmPerPoint = 25.4 / 72.0;

struct PagePoint {
    double x = 0.0;
    double y = 0.0;
};

struct PageColour {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
};

enum class TextAlign { left, centre, right };

// One line of text; at is the left end, centre or right end of its baseline.
struct PageText {
    PagePoint at;
    double sizePt = 9.0;
    bool bold = false;
    TextAlign align = TextAlign::left;
    std::string text;  // UTF-8
};

// Lines through points; closed contours may be filled (even-odd, so a contour inside another is a hole).
struct PagePath {
    std::vector<std::vector<PagePoint>> contours;
    bool closed = false;
    double lineWidthMm = 0.2;
    bool stroked = true;
    PageColour stroke;
    bool filled = false;
    PageColour fill;
};

// Paths are drawn first, texts over them.
struct Page {
    std::vector<PagePath> paths;
    std::vector<PageText> texts;
};

struct PageDescription {
    std::vector<Page> pages;
};
