// Tests of the report's page layout and of its PDF writer.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "report/page_flow.h"
#include "report/paper_fit.h"
#include "report/pdf_writer.h"
#include "report/report_numbers.h"

namespace {

// One millimetre per character (a UTF-8 lead byte), whatever the size: line breaks become predictable.
double MillimetrePerCharacter(const std::string& text, double, bool) {
    return double(std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string all;
    for (const std::string& line : lines)
        all += line;
    return all;
}

std::string WithoutSpaces(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), ' '), text.end());
    text.erase(std::remove(text.begin(), text.end(), '\n'), text.end());
    return text;
}

int CountTexts(const Page& page, const std::string& text) {
    return int(std::count_if(page.texts.begin(), page.texts.end(), [&](const PageText& t) { return t.text == text; }));
}

}  // namespace

TEST(WrapText, BreaksAtSpacesInsideWordsAndAtLineBreaksWithoutLosingText) {
    struct Case {
        const char* what;
        std::string text;
        double width;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"fits", "Ad and Am", 20, {"Ad and Am"}},
        {"at spaces", "one two three four", 9, {"one two", "three", "four"}},
        {"a word wider than the line", "abcdefghij xy", 4, {"abcd", "efgh", "ij", "xy"}},
        {"pieces of a word take the next word", "abcdef g", 4, {"abcd", "ef g"}},
        {"multibyte characters stay whole", "ΑΒΓΔΕ", 2, {"ΑΒ", "ΓΔ", "Ε"}},
        {"line breaks kept, empty lines too", "a\n\nb", 10, {"a", "", "b"}},
        {"empty text is one empty line", "", 10, {""}},
    };
    for (const Case& c : cases) {
        auto lines = WrapText(c.text, c.width, 9, false, MillimetrePerCharacter);
        EXPECT_EQ(lines, c.lines) << c.what;
        EXPECT_EQ(WithoutSpaces(Joined(lines)), WithoutSpaces(c.text)) << c.what;
    }
}

// A table longer than a page runs onto the next pages with its header on top of each, every row once,
// in order, and nothing below the content area; every page gets "Page N of M".
TEST(PageFlow, LongTablesRepeatTheirHeaderOnEveryPage) {
    for (int rows : {1, 30, 300}) {
        PageFlow flow(MillimetrePerCharacter);
        flow.Title("Title");
        TableSpec table;
        table.columns = {{"No.", 15, TextAlign::right}, {"Name", 60, TextAlign::left}};
        for (int i = 1; i <= rows; ++i)
            table.rows.push_back({{std::to_string(i), "row " + std::to_string(i)}});
        flow.Table(table);
        PageDescription pages = flow.Finish("house.Zlv");

        std::vector<int> seen;
        for (size_t p = 0; p < pages.pages.size(); ++p) {
            const Page& page = pages.pages[p];
            EXPECT_EQ(CountTexts(page, "Name"), 1) << rows << " rows, page " << p + 1;
            std::string footer = "Page " + std::to_string(p + 1) + " of " + std::to_string(pages.pages.size());
            EXPECT_EQ(CountTexts(page, footer), 1) << rows << " rows";
            for (const PageText& text : page.texts) {
                if (text.text.rfind("row ", 0) == 0) {
                    seen.push_back(std::stoi(text.text.substr(4)));
                    EXPECT_LE(text.at.y, kContentBottomMm);
                }
            }
        }
        ASSERT_EQ(int(seen.size()), rows);
        for (int i = 0; i < rows; ++i)
            EXPECT_EQ(seen[i], i + 1);
        // rows of 8 pt are 6.1 mm high: 41 fit under the header of a page
        size_t expected = rows == 300 ? 8u : 1u;
        EXPECT_EQ(pages.pages.size(), expected) << rows << " rows";
    }
}

// A heading is never left alone at the foot of a page, and a figure never runs below the content area.
TEST(PageFlow, HeadingsAndFiguresStayWithTheirContent) {
    PageFlow flow(MillimetrePerCharacter);
    for (int i = 0; i < 58; ++i)
        flow.Paragraph("line");
    flow.Heading("Site plan");
    double top = 0;
    Page& page = flow.Figure(120, &top);
    PageDescription pages = flow.Finish("f");
    ASSERT_EQ(pages.pages.size(), 2u);
    EXPECT_EQ(CountTexts(pages.pages[1], "Site plan"), 1);
    EXPECT_EQ(&page, &pages.pages[1]) << "the figure's page moved while finishing";
    EXPECT_LE(top + 120, kContentBottomMm);
}

TEST(PdfWriter, SetsLatinGreekAndChineseInTheEmbeddedFonts) {
    PdfTypesetter pdf;
    ASSERT_TRUE(pdf.Ready());
    // Each character in a face that has it: as wide as a real glyph, never the missing-glyph box.
    double missing = pdf.WidthMm("\xEF\xBF\xBF", 10, false);  // a non-character, in no face
    for (const char* text : {"Ad", "Ωμέγα", "仓库", "Склад"}) {
        EXPECT_GT(pdf.WidthMm(text, 10, false), 0.0) << text;
        EXPECT_NE(pdf.WidthMm(text, 10, false), missing * 2) << text;
    }
    EXPECT_GT(pdf.WidthMm("Ad", 10, true), pdf.WidthMm("Ad", 10, false)) << "bold is wider";
    EXPECT_DOUBLE_EQ(pdf.WidthMm("Ad", 20, false), 2 * pdf.WidthMm("Ad", 10, false));

    PageFlow flow([&](const std::string& t, double size, bool bold) { return pdf.WidthMm(t, size, bold); });
    flow.Paragraph("Ωμέγα 仓库");
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(pdf.Write(flow.Finish("f"), "t", &bytes));
    ASSERT_GT(bytes.size(), 1000u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 5), "%PDF-");
}

TEST(ReportNumbers, AreasGroupThousandsAndEventsKeepThreeSignificantDigits) {
    const std::string nb = "\xC2\xA0";
    struct Grouped {
        double value;
        int decimals;
        std::string text;
    };
    const Grouped grouped[] = {
        {22309.4, 0, "22" + nb + "309"},
        {999.5, 0, "1" + nb + "000"},
        {1234567.891, 1, "1" + nb + "234" + nb + "567.9"},
        {12.0, 2, "12.00"},
        {0.0, 0, "0"},
        {-4321.0, 0, "-4" + nb + "321"},
        {-0.04, 1, "0.0"},
    };
    for (const Grouped& c : grouped)
        EXPECT_EQ(GroupedNumber(c.value, c.decimals), c.text) << c.value;

    struct Events {
        double value;
        std::string text;
    };
    const Events events[] = {
        {0.089236, "0.0892"},
        {12.345, "12.3"},
        {0.09996, "0.100"},
        {0.99951, "1.00"},
        {1234.6, "1" + nb + "235"},
        {0.0001, "0.000100"},
        {2e-5,
         "2.00\xC2\xB7"
         "10^-5"},
        {0.0, "0"},
    };
    for (const Events& c : events)
        EXPECT_EQ(EventsNumber(c.value), c.text) << c.value;

    const Events plain[] = {
        {0.5, "0.5"}, {233.33333, "233.333"}, {1000, "1" + nb + "000"}, {1234.56, "1" + nb + "234.6"}, {2.5, "2.5"}};
    for (const Events& c : plain)
        EXPECT_EQ(PlainNumber(c.value), c.text) << c.value;
}

// The A4 page on a printer's paper: never cut (the foot of the page carries its number), never enlarged,
// and at its own size on A4 as a PostScript printer measures it, so that the plan's scale holds.
TEST(PaperFit, ThePageShrinksOnlyOntoSmallerPaperAndIsCentred) {
    struct Case {
        const char* paper;
        double widthMm, heightMm;
        double scale, leftMm, topMm;
    };
    const Case cases[] = {
        {"A4", 210.0, 297.0, 1.0, 0.0, 0.0},
        {"A4 of 595 x 842 points", 209.9028, 297.0389, 1.0, -0.0486, 0.0194},
        {"Letter", 215.9, 279.4, 0.940741, 9.172, 0.0},
        {"Legal", 215.9, 355.6, 1.0, 2.95, 29.3},
        {"A3", 297.0, 420.0, 1.0, 43.5, 61.5},
        {"A4 landscape", 297.0, 210.0, 0.707071, 74.258, 0.0},
        {"A5", 148.0, 210.0, 0.704762, 0.0, 0.343},
        {"no size stated", 0.0, 0.0, 1.0, 0.0, 0.0},
    };
    for (const Case& c : cases) {
        PaperFit fit = FitPageToPaper(c.widthMm, c.heightMm);
        EXPECT_NEAR(fit.scale, c.scale, 1e-6) << c.paper;
        EXPECT_NEAR(fit.leftMm, c.leftMm, 1e-3) << c.paper;
        EXPECT_NEAR(fit.topMm, c.topMm, 1e-3) << c.paper;
    }
}
