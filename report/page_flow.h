// Lays headings, paragraphs, tables and figures down A4 pages, top to bottom, starting a new page when
// the next item does not fit; a table's header row is repeated at the top of every page it runs onto.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "report/page_description.h"

// Width in millimetres of one line of UTF-8 text in the report's font.
using TextWidthFn = std::function<double(const std::string& text, double sizePt, bool bold)>;

constexpr double kMarginMm = 18.0;
constexpr double kContentWidthMm = kPageWidthMm - 2.0 * kMarginMm;
constexpr double kContentTopMm = 18.0;
constexpr double kContentBottomMm = kPageHeightMm - 20.0;

double LineHeightMm(double sizePt);

// The text broken into lines no wider than widthMm, at spaces where it can and inside a word where a
// word alone is wider; explicit line breaks are kept. Never drops a character.
std::vector<std::string> WrapText(const std::string& text, double widthMm, double sizePt, bool bold,
                                  const TextWidthFn& width);

struct TableColumn {
    std::string title;
    double widthMm = 20.0;
    TextAlign align = TextAlign::left;
};

struct TableRow {
    std::vector<std::string> cells;
    bool bold = false;
};

struct TableSpec {
    std::vector<TableColumn> columns;
    std::vector<TableRow> rows;
    double sizePt = 8.0;
    bool header = true;  // false: a plain grid of rows, such as label and value
};

class PageFlow {
  public:
    explicit PageFlow(TextWidthFn width);

    void Title(const std::string& text);
    void Heading(const std::string& text);  // kept on a page with some room below it
    void Paragraph(const std::string& text, double sizePt = 9.0, bool bold = false);
    void Table(const TableSpec& table);
    void Space(double mm);
    void KeepTogether(double heightMm);  // a new page unless that much still fits on this one
    double RemainingMm() const;          // the room left on this page
    // Room for a figure of that height (at most a page's content): the page to draw on and the top of
    // the box, which spans the content width.
    Page& Figure(double heightMm, double* topMm);

    // Every page gets the footer: the left text, and "Page N of M" at the right.
    PageDescription Finish(const std::string& footerLeft);

  private:
    void NewPage();
    void Ensure(double heightMm);  // a new page unless that much still fits on this one
    std::vector<std::vector<std::string>> WrapCells(const TableSpec& table, const std::vector<std::string>& cells,
                                                    bool bold) const;
    static double RowHeightMm(const TableSpec& table, const std::vector<std::vector<std::string>>& lines);
    void TableCells(const TableSpec& table, const std::vector<std::vector<std::string>>& lines, bool bold, bool header);

    TextWidthFn width_;
    PageDescription pages_;
    double y_ = kContentTopMm;
};
