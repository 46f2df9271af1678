// The report's pages drawn through GDI, as the printer gets them: the same fonts as the PDF, so the same
// line widths, the fallback face for Chinese, fills where the description puts them.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "report/page_gdi_win.h"
#include "report/pdf_writer.h"
#include "report/print_pages_win.h"
#include "ui/gdi_guards_win.h"

namespace {

constexpr double kPixelsPerMm = 8.0;

bool Inked(COLORREF colour) {
    return GetRValue(colour) < 128 && GetGValue(colour) < 128 && GetBValue(colour) < 128;
}

// The rightmost inked column within the band of rows [top, bottom), or -1.
int RightmostInk(const MemoryCanvas& canvas, int left, int top, int bottom) {
    int found = -1;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < canvas.width; ++x)
            if (Inked(canvas.pixel(x, y)) && x > found)
                found = x;
    return found;
}

}  // namespace

TEST(ReportPagesGdi, TextIsSetInTheSameFontsAsThePdf) {
    ReportFontsGdi fonts;
    ASSERT_TRUE(fonts.Ready());
    PdfTypesetter pdf;
    ASSERT_TRUE(pdf.Ready());
    MemoryCanvas canvas(int(100 * kPixelsPerMm), int(60 * kPixelsPerMm));
    ASSERT_TRUE(canvas.ready());
    PatBlt(canvas.dc, 0, 0, canvas.width, canvas.height, WHITENESS);

    struct Line {
        const char* what;
        std::string text;
        bool bold;
    };
    const Line lines[] = {
        {"Latin", "Ad = 22 309 m²", false},
        {"bold", "Results", true},
        {"Greek", "Αποθήκη Ωμέγα", false},
        {"Chinese, from the fallback face", "仓库一号楼", false},
    };
    Page page;
    for (size_t i = 0; i < std::size(lines); ++i)
        page.texts.push_back({{5.0, 12.0 + 12.0 * i}, 14.0, lines[i].bold, TextAlign::left, lines[i].text});
    DrawPageGdi(canvas.dc, page, {kPixelsPerMm, kPixelsPerMm, 0.0, 0.0});

    for (size_t i = 0; i < std::size(lines); ++i) {
        const PageText& text = page.texts[i];
        int right =
            RightmostInk(canvas, 0, int((text.at.y - 6.0) * kPixelsPerMm), int((text.at.y + 1.5) * kPixelsPerMm));
        ASSERT_GE(right, 0) << lines[i].what << ": nothing drawn";
        double expected = text.at.x + pdf.WidthMm(text.text, text.sizePt, text.bold);
        // glyphs end a little inside their advance width
        EXPECT_NEAR(right / kPixelsPerMm, expected, 1.2) << lines[i].what;
    }
}

TEST(ReportPagesGdi, ClosedPathsFillWithHolesAndOpenOnesOnlyStroke) {
    MemoryCanvas canvas(int(60 * kPixelsPerMm), int(60 * kPixelsPerMm));
    ASSERT_TRUE(canvas.ready());
    PatBlt(canvas.dc, 0, 0, canvas.width, canvas.height, WHITENESS);
    Page page;
    PagePath ring;
    ring.contours = {{{10, 10}, {50, 10}, {50, 50}, {10, 50}}, {{20, 20}, {40, 20}, {40, 40}, {20, 40}}};
    ring.closed = true;
    ring.filled = true;
    ring.fill = {250, 214, 170};
    PagePath open;
    open.contours = {{{5, 55}, {55, 55}, {55, 5}}};
    open.lineWidthMm = 0.5;
    page.paths = {ring, open};
    DrawPageGdi(canvas.dc, page, {kPixelsPerMm, kPixelsPerMm, 0.0, 0.0});
    auto at = [&](double x, double y) { return canvas.pixel(int(x * kPixelsPerMm), int(y * kPixelsPerMm)); };
    EXPECT_EQ(at(15, 30), RGB(250, 214, 170)) << "inside the ring";
    EXPECT_EQ(at(30, 30), RGB(255, 255, 255)) << "the hole";
    EXPECT_EQ(at(30, 55), RGB(0, 0, 0)) << "the open path's line";
    EXPECT_EQ(at(52, 52), RGB(255, 255, 255)) << "an open path is never filled";
}

namespace {

DWORD refusal = 0;  // what the device gives as the reason when it refuses the job

BOOL CALLBACK RefuseJob(HDC, int) {
    SetLastError(refusal);
    return FALSE;
}

}  // namespace

// A printer that asks for a file of its own refuses the job when that question is cancelled: the
// user's choice, which the command must not report as a failed print; any other refusal is a failure.
TEST(ReportPagesGdi, AJobRefusedAsCancelledIsNoFailure) {
    struct Case {
        const char* what;
        DWORD reason;
        PrintOutcome outcome;
    };
    const Case cases[] = {
        {"the user cancelled the printer's question", ERROR_CANCELLED, PrintOutcome::cancelled},
        {"the printer refused", ERROR_ACCESS_DENIED, PrintOutcome::failed},
    };
    PageDescription pages;
    pages.pages.resize(1);
    for (const Case& c : cases) {
        MemoryCanvas canvas(100, 100);
        ASSERT_TRUE(canvas.ready());
        refusal = c.reason;
        SetAbortProc(canvas.dc, RefuseJob);
        EXPECT_EQ(PrintPagesOn(canvas.dc, pages, "job", ""), c.outcome) << c.what;
    }
}
