#include "report/page_flow.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace {

constexpr double kCellPadMm = 1.2;
constexpr PageColour kHeaderFill{225, 229, 235};
constexpr PageColour kRuleColour{150, 150, 150};

// Length in bytes of the UTF-8 sequence that starts with this byte (1 for a stray continuation byte).
size_t SequenceLength(unsigned char lead) {
    if (lead >= 0xF0)
        return 4;
    if (lead >= 0xE0)
        return 3;
    if (lead >= 0xC0)
        return 2;
    return 1;
}

std::vector<std::string> SplitAt(const std::string& text, char separator) {
    std::vector<std::string> parts(1);
    for (char c : text) {
        if (c == separator) {
            parts.emplace_back();
        } else {
            parts.back() += c;
        }
    }
    return parts;
}

// Breaks a word wider than the line into pieces that fit, whole characters each, at least one per piece.
void BreakWord(const std::string& word, double widthMm, double sizePt, bool bold, const TextWidthFn& width,
               std::vector<std::string>* lines) {
    std::string piece;
    for (size_t i = 0; i < word.size();) {
        size_t n = std::min(SequenceLength(static_cast<unsigned char>(word[i])), word.size() - i);
        std::string longer = piece + word.substr(i, n);
        if (!piece.empty() && width(longer, sizePt, bold) > widthMm) {
            lines->push_back(piece);
            piece = word.substr(i, n);
        } else {
            piece = std::move(longer);
        }
        i += n;
    }
    if (!piece.empty())
        lines->push_back(piece);
}

PagePath Rule(double x0, double x1, double y, double widthMm) {
    PagePath rule;
    rule.contours = {{{x0, y}, {x1, y}}};
    rule.lineWidthMm = widthMm;
    rule.stroke = kRuleColour;
    return rule;
}

}  // namespace

double LineHeightMm(double sizePt) {
    return sizePt * 1.3 * kMmPerPoint;
}

std::vector<std::string> WrapText(const std::string& text, double widthMm, double sizePt, bool bold,
                                  const TextWidthFn& width) {
    std::vector<std::string> lines;
    for (const std::string& paragraph : SplitAt(text, '\n')) {
        std::string line;
        size_t before = lines.size();
        for (const std::string& word : SplitAt(paragraph, ' ')) {
            std::string longer = line.empty() ? word : line + " " + word;
            if (width(longer, sizePt, bold) <= widthMm) {
                line = std::move(longer);
                continue;
            }
            if (!line.empty())
                lines.push_back(line);
            line.clear();
            if (width(word, sizePt, bold) <= widthMm) {
                line = word;
            } else {
                BreakWord(word, widthMm, sizePt, bold, width, &lines);
                if (lines.size() > before) {  // the last piece may still take the next words
                    line = lines.back();
                    lines.pop_back();
                }
            }
        }
        if (!line.empty() || lines.size() == before)
            lines.push_back(line);
    }
    return lines;
}

PageFlow::PageFlow(TextWidthFn width) : width_(std::move(width)) {
    NewPage();
}

void PageFlow::NewPage() {
    pages_.pages.emplace_back();
    y_ = kContentTopMm;
}

void PageFlow::Ensure(double heightMm) {
    if (y_ + heightMm > kContentBottomMm && y_ > kContentTopMm)
        NewPage();
}

void PageFlow::KeepTogether(double heightMm) {
    Ensure(heightMm);
}

double PageFlow::RemainingMm() const {
    return kContentBottomMm - y_;
}

void PageFlow::Space(double mm) {
    y_ = std::min(y_ + mm, kContentBottomMm);
}

void PageFlow::Title(const std::string& text) {
    Paragraph(text, 15.0, true);
}

void PageFlow::Heading(const std::string& text) {
    Ensure(LineHeightMm(11.0) + 25.0);
    Space(3.0);
    Paragraph(text, 11.0, true);
    Space(1.0);
}

void PageFlow::Paragraph(const std::string& text, double sizePt, bool bold) {
    double step = LineHeightMm(sizePt);
    for (const std::string& line : WrapText(text, kContentWidthMm, sizePt, bold, width_)) {
        Ensure(step);
        y_ += step;
        pages_.pages.back().texts.push_back({{kMarginMm, y_ - 0.25 * step}, sizePt, bold, TextAlign::left, line});
    }
}

Page& PageFlow::Figure(double heightMm, double* topMm) {
    heightMm = std::min(heightMm, kContentBottomMm - kContentTopMm);
    Ensure(heightMm);
    *topMm = y_;
    y_ += heightMm;
    return pages_.pages.back();
}

double PageFlow::RowHeightMm(const TableSpec& table, const std::vector<std::vector<std::string>>& lines) {
    size_t most = 1;
    for (const auto& cell : lines)
        most = std::max(most, cell.size());
    return most * LineHeightMm(table.sizePt) + 2.0 * kCellPadMm;
}

void PageFlow::TableCells(const TableSpec& table, const std::vector<std::vector<std::string>>& lines, bool bold,
                          bool header) {
    const double step = LineHeightMm(table.sizePt);
    const double height = RowHeightMm(table, lines);
    Page& page = pages_.pages.back();
    double right = kMarginMm;
    for (const TableColumn& column : table.columns)
        right += column.widthMm;
    if (header) {
        PagePath band;
        band.contours = {{{kMarginMm, y_}, {right, y_}, {right, y_ + height}, {kMarginMm, y_ + height}}};
        band.closed = true;
        band.stroked = false;
        band.filled = true;
        band.fill = kHeaderFill;
        page.paths.push_back(band);
    }
    double x = kMarginMm;
    for (size_t c = 0; c < table.columns.size(); ++c) {
        const TableColumn& column = table.columns[c];
        double at = column.align == TextAlign::right    ? x + column.widthMm - kCellPadMm
                    : column.align == TextAlign::centre ? x + column.widthMm / 2.0
                                                        : x + kCellPadMm;
        for (size_t l = 0; c < lines.size() && l < lines[c].size(); ++l) {
            double baseline = y_ + kCellPadMm + (l + 1) * step - 0.25 * step;
            page.texts.push_back({{at, baseline}, table.sizePt, bold, column.align, lines[c][l]});
        }
        x += column.widthMm;
    }
    y_ += height;
    page.paths.push_back(Rule(kMarginMm, right, y_, header ? 0.3 : 0.1));
}

std::vector<std::vector<std::string>> PageFlow::WrapCells(const TableSpec& table, const std::vector<std::string>& cells,
                                                          bool bold) const {
    std::vector<std::vector<std::string>> lines;
    for (size_t c = 0; c < table.columns.size(); ++c) {
        const std::string cell = c < cells.size() ? cells[c] : std::string();
        lines.push_back(WrapText(cell, table.columns[c].widthMm - 2.0 * kCellPadMm, table.sizePt, bold, width_));
    }
    return lines;
}

void PageFlow::Table(const TableSpec& table) {
    std::vector<std::string> titles;
    for (const TableColumn& column : table.columns)
        titles.push_back(column.title);
    const auto header = WrapCells(table, titles, true);
    const double headerHeight = table.header ? RowHeightMm(table, header) : 0.0;
    Ensure(headerHeight +
           (table.rows.empty() ? 0.0 : RowHeightMm(table, WrapCells(table, table.rows[0].cells, table.rows[0].bold))));
    if (table.header)
        TableCells(table, header, true, true);
    for (const TableRow& row : table.rows) {
        const auto lines = WrapCells(table, row.cells, row.bold);
        if (y_ + RowHeightMm(table, lines) > kContentBottomMm) {
            NewPage();
            if (table.header)
                TableCells(table, header, true, true);
        }
        TableCells(table, lines, row.bold, false);
    }
}

PageDescription PageFlow::Finish(const std::string& footerLeft) {
    size_t count = pages_.pages.size();
    for (size_t i = 0; i < count; ++i) {
        Page& page = pages_.pages[i];
        double baseline = kPageHeightMm - 10.0;
        page.paths.push_back(Rule(kMarginMm, kPageWidthMm - kMarginMm, baseline - 4.0, 0.1));
        page.texts.push_back({{kMarginMm, baseline}, 7.5, false, TextAlign::left, footerLeft});
        char number[64];
        std::snprintf(number, sizeof number, "Page %zu of %zu", i + 1, count);
        page.texts.push_back({{kPageWidthMm - kMarginMm, baseline}, 7.5, false, TextAlign::right, number});
    }
    return std::move(pages_);
}
