#include "report/page_gdi_win.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "report/paper_fit.h"
#include "report/report_fonts.h"
#include "ui/gdi_guards_win.h"

namespace {

const wchar_t* const kMainFace = L"DejaVu Sans";
const wchar_t* const kFallbackFace = L"Droid Sans Fallback";

std::wstring Wide(const std::string& text) {
    int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring wide(length, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), wide.data(), length);
    return wide;
}

COLORREF Colour(PageColour c) {
    return RGB(c.red, c.green, c.blue);
}

struct Placed {
    const PagePlacement& p;
    POINT operator()(PagePoint at) const {
        return {LONG(std::lround(p.originX + at.x * p.pixelsPerMmX)),
                LONG(std::lround(p.originY + at.y * p.pixelsPerMmY))};
    }
};

void DrawPath(HDC dc, const PagePath& path, const Placed& place) {
    std::vector<POINT> points;
    std::vector<INT> counts;
    for (const auto& contour : path.contours) {
        if (contour.size() < 2)
            continue;
        for (const PagePoint& at : contour)
            points.push_back(place(at));
        counts.push_back(INT(contour.size()));
    }
    if (counts.empty())
        return;
    int width = std::max(1, int(std::lround(path.lineWidthMm * place.p.pixelsPerMmX)));
    GdiObject<HPEN> pen(path.stroked ? CreatePen(PS_SOLID, width, Colour(path.stroke))
                                     : (HPEN)GetStockObject(NULL_PEN));
    GdiObject<HBRUSH> brush(path.filled ? CreateSolidBrush(Colour(path.fill)) : (HBRUSH)GetStockObject(NULL_BRUSH));
    SelectScope usePen(dc, pen.handle);
    SelectScope useBrush(dc, brush.handle);
    if (path.closed) {
        SetPolyFillMode(dc, ALTERNATE);
        PolyPolygon(dc, points.data(), counts.data(), int(counts.size()));
        return;
    }
    size_t first = 0;
    for (INT count : counts) {
        Polyline(dc, points.data() + first, count);
        first += count;
    }
}

struct Run {
    bool fallback;
    std::wstring text;
};

// The text cut into runs of one face each: DejaVu Sans, or the fallback for characters it lacks.
std::vector<Run> Runs(HDC dc, HFONT main, const std::wstring& text) {
    std::vector<WORD> glyphs(text.size());
    {
        SelectScope useMain(dc, main);
        GetGlyphIndicesW(dc, text.c_str(), int(text.size()), glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS);
    }
    std::vector<Run> runs;
    for (size_t i = 0; i < text.size(); ++i) {
        bool fallback = glyphs[i] == 0xFFFF;
        if (runs.empty() || runs.back().fallback != fallback)
            runs.push_back({fallback, std::wstring()});
        runs.back().text += text[i];
    }
    return runs;
}

void DrawPageText(HDC dc, const PageText& text, const Placed& place) {
    int height = -int(std::lround(text.sizePt * kMmPerPoint * place.p.pixelsPerMmY));
    int weight = text.bold ? FW_BOLD : FW_NORMAL;
    GdiObject<HFONT> main(CreateFontW(height, 0, 0, 0, weight, 0, 0, 0, DEFAULT_CHARSET, OUT_TT_ONLY_PRECIS,
                                      CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH, kMainFace));
    GdiObject<HFONT> fallback(CreateFontW(height, 0, 0, 0, weight, 0, 0, 0, DEFAULT_CHARSET, OUT_TT_ONLY_PRECIS,
                                          CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH, kFallbackFace));
    std::vector<Run> runs = Runs(dc, main.handle, Wide(text.text));
    std::vector<SIZE> sizes(runs.size());
    LONG width = 0;
    for (size_t i = 0; i < runs.size(); ++i) {
        SelectScope use(dc, runs[i].fallback ? fallback.handle : main.handle);
        GetTextExtentPoint32W(dc, runs[i].text.c_str(), int(runs[i].text.size()), &sizes[i]);
        width += sizes[i].cx;
    }
    POINT at = place(text.at);
    at.x -= text.align == TextAlign::right ? width : text.align == TextAlign::centre ? width / 2 : 0;
    for (size_t i = 0; i < runs.size(); ++i) {
        SelectScope use(dc, runs[i].fallback ? fallback.handle : main.handle);
        ExtTextOutW(dc, at.x, at.y, 0, nullptr, runs[i].text.c_str(), UINT(runs[i].text.size()), nullptr);
        at.x += sizes[i].cx;
    }
}

}  // namespace

ReportFontsGdi::ReportFontsGdi() {
    const ReportFace faces[] = {ReportFace::regular, ReportFace::bold, ReportFace::fallback};
    for (int i = 0; i < 3; ++i) {
        FontBytes bytes = ReportFontBytes(faces[i]);
        DWORD count = 0;
        fonts_[i] = AddFontMemResourceEx(const_cast<unsigned char*>(bytes.data), DWORD(bytes.size), nullptr, &count);
    }
}

ReportFontsGdi::~ReportFontsGdi() {
    for (HANDLE font : fonts_)
        if (font)
            RemoveFontMemResourceEx(font);
}

bool ReportFontsGdi::Ready() const {
    return fonts_[0] && fonts_[1] && fonts_[2];
}

PagePlacement PrinterPlacement(HDC printer) {
    double dotsPerMmX = GetDeviceCaps(printer, LOGPIXELSX) / 25.4;
    double dotsPerMmY = GetDeviceCaps(printer, LOGPIXELSY) / 25.4;
    PaperFit fit = FitPageToPaper(GetDeviceCaps(printer, PHYSICALWIDTH) / dotsPerMmX,
                                  GetDeviceCaps(printer, PHYSICALHEIGHT) / dotsPerMmY);
    PagePlacement placement;
    placement.pixelsPerMmX = fit.scale * dotsPerMmX;
    placement.pixelsPerMmY = fit.scale * dotsPerMmY;
    placement.originX = fit.leftMm * dotsPerMmX - GetDeviceCaps(printer, PHYSICALOFFSETX);
    placement.originY = fit.topMm * dotsPerMmY - GetDeviceCaps(printer, PHYSICALOFFSETY);
    return placement;
}

void DrawPageGdi(HDC dc, const Page& page, const PagePlacement& placement) {
    Placed place{placement};
    for (const PagePath& path : page.paths)
        DrawPath(dc, path, place);
    int savedAlign = SetTextAlign(dc, TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
    int savedMode = SetBkMode(dc, TRANSPARENT);
    COLORREF savedColour = SetTextColor(dc, RGB(0, 0, 0));
    for (const PageText& text : page.texts)
        DrawPageText(dc, text, place);
    SetTextColor(dc, savedColour);
    SetBkMode(dc, savedMode);
    SetTextAlign(dc, savedAlign);
}
