#include "report/pdf_writer.h"

#include <hpdf.h>
#include <hpdf_doc.h>
#include <hpdf_fontdef.h>

#include <algorithm>
#include <cstdio>

#include "report/report_fonts.h"

namespace {

constexpr double kPointsPerMm = 72.0 / 25.4;

// Decodes one UTF-8 character at text[*i] and moves past it; a malformed sequence reads as U+FFFD.
unsigned NextCodePoint(const std::string& text, size_t* i) {
    unsigned char lead = static_cast<unsigned char>(text[*i]);
    size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
    unsigned code = length == 1 ? lead : length == 2 ? lead & 0x1F : length == 3 ? lead & 0x0F : lead & 0x07;
    if (length == 0 || *i + length > text.size()) {
        ++*i;
        return 0xFFFD;
    }
    for (size_t k = 1; k < length; ++k) {
        unsigned char next = static_cast<unsigned char>(text[*i + k]);
        if ((next & 0xC0) != 0x80) {
            ++*i;
            return 0xFFFD;
        }
        code = (code << 6) | (next & 0x3F);
    }
    *i += length;
    bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
    return overlong || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF) ? 0xFFFD : code;
}

void AppendUtf8(unsigned code, std::string* out) {
    if (code < 0x80) {
        *out += char(code);
    } else if (code < 0x800) {
        *out += char(0xC0 | (code >> 6));
        *out += char(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        *out += char(0xE0 | (code >> 12));
        *out += char(0x80 | ((code >> 6) & 0x3F));
        *out += char(0x80 | (code & 0x3F));
    } else {
        *out += char(0xF0 | (code >> 18));
        *out += char(0x80 | ((code >> 12) & 0x3F));
        *out += char(0x80 | ((code >> 6) & 0x3F));
        *out += char(0x80 | (code & 0x3F));
    }
}

struct LoadedFont {
    HPDF_FontDef def = nullptr;
    HPDF_Font font = nullptr;
};

// The map from the codes in the page's text to Unicode, which lets a reader copy and search the text.
// The library's UTF-8 text uses each character's own code (in the Basic Multilingual Plane) as the
// code, so the map is the identity; the one the library writes itself is not a valid map of this kind.
HPDF_Dict UnicodeMap(HPDF_Doc pdf) {
    HPDF_Dict map = HPDF_DictStream_New(pdf->mmgr, pdf->xref);
    if (!map)
        return nullptr;
    std::string text =
        "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
        "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
        "/CMapName /Adobe-Identity-UCS def\n/CMapType 2 def\n"
        "1 begincodespacerange\n<0000> <FFFF>\nendcodespacerange\n";
    std::vector<int> rows;  // high bytes of the codes, without the surrogate halves
    for (int high = 0; high < 256; ++high)
        if (high < 0xD8 || high > 0xDF)
            rows.push_back(high);
    for (size_t first = 0; first < rows.size(); first += 100) {  // at most 100 entries a block
        size_t count = std::min<size_t>(100, rows.size() - first);
        text += std::to_string(count) + " beginbfrange\n";
        char line[32];
        for (size_t i = first; i < first + count; ++i) {
            std::snprintf(line, sizeof line, "<%02X00> <%02XFF> <%02X00>\n", rows[i], rows[i], rows[i]);
            text += line;
        }
        text += "endbfrange\n";
    }
    text += "endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n";
    if (HPDF_Stream_WriteStr(map->stream, text.c_str()) != HPDF_OK)
        return nullptr;
    return map;
}

// Loads an embedded TrueType font from memory (the library itself only reads font files from disk).
LoadedFont LoadFont(HPDF_Doc pdf, ReportFace face, const char* tag) {
    FontBytes bytes = ReportFontBytes(face);
    HPDF_Stream stream = HPDF_MemStream_New(pdf->mmgr, 1 << 16);
    if (!stream)
        return {};
    if (HPDF_Stream_Write(stream, bytes.data, static_cast<HPDF_UINT>(bytes.size)) != HPDF_OK) {
        HPDF_Stream_Free(stream);
        return {};
    }
    HPDF_FontDef def = HPDF_TTFontDef_Load(pdf->mmgr, stream, HPDF_TRUE);  // frees the stream on failure
    if (!def)
        return {};
    HPDF_TTFontDef_SetTagName(def, const_cast<char*>(tag));
    if (HPDF_Doc_RegisterFontDef(pdf, def) != HPDF_OK)
        return {};
    HPDF_Font font = HPDF_GetFont(pdf, def->base_font, "UTF-8");
    HPDF_Dict map = font ? UnicodeMap(pdf) : nullptr;
    if (!map || HPDF_Dict_Add(font, "ToUnicode", map) != HPDF_OK)
        return {};
    return {def, font};
}

struct Run {
    HPDF_Font font;
    std::string text;
};

}  // namespace

struct PdfTypesetter::Document {
    HPDF_Doc pdf = nullptr;
    LoadedFont regular, bold, fallback;

    // The text cut into runs of one font each: the main face, or the fallback for characters it lacks.
    std::vector<Run> Runs(const std::string& text, bool useBold) const {
        const LoadedFont& main = useBold ? bold : regular;
        std::vector<Run> runs;
        for (size_t i = 0; i < text.size();) {
            unsigned code = NextCodePoint(text, &i);
            bool inMain = code < 0x10000 && HPDF_TTFontDef_GetGlyphid(main.def, HPDF_UINT16(code)) != 0;
            bool inFallback =
                !inMain && code < 0x10000 && HPDF_TTFontDef_GetGlyphid(fallback.def, HPDF_UINT16(code)) != 0;
            HPDF_Font font = inFallback ? fallback.font : main.font;
            if (!inMain && !inFallback)
                code = code < 0x10000 ? code : 0xFFFD;  // drawn as the missing glyph
            if (runs.empty() || runs.back().font != font)
                runs.push_back({font, std::string()});
            AppendUtf8(code, &runs.back().text);
        }
        return runs;
    }

    double RunWidthPt(const Run& run, double sizePt) const {
        HPDF_TextWidth width = HPDF_Font_TextWidth(run.font, reinterpret_cast<const HPDF_BYTE*>(run.text.data()),
                                                   static_cast<HPDF_UINT>(run.text.size()));
        return width.width * sizePt / 1000.0;
    }
};

PdfTypesetter::PdfTypesetter() : document_(new Document) {
    Document& d = *document_;
    d.pdf = HPDF_New(nullptr, nullptr);
    if (!d.pdf)
        return;
    HPDF_UseUTFEncodings(d.pdf);
    HPDF_SetCompressionMode(d.pdf, HPDF_COMP_ALL);
    d.regular = LoadFont(d.pdf, ReportFace::regular, "ZLVAAA");
    d.bold = LoadFont(d.pdf, ReportFace::bold, "ZLVAAB");
    d.fallback = LoadFont(d.pdf, ReportFace::fallback, "ZLVAAC");
}

PdfTypesetter::~PdfTypesetter() {
    if (document_->pdf)
        HPDF_Free(document_->pdf);
}

bool PdfTypesetter::Ready() const {
    const Document& d = *document_;
    return d.pdf && d.regular.font && d.bold.font && d.fallback.font;
}

double PdfTypesetter::WidthMm(const std::string& text, double sizePt, bool bold) const {
    if (!Ready())
        return 0.0;
    double points = 0.0;
    for (const Run& run : document_->Runs(text, bold))
        points += document_->RunWidthPt(run, sizePt);
    return points / kPointsPerMm;
}

namespace {

HPDF_REAL X(double mm) {
    return static_cast<HPDF_REAL>(mm * kPointsPerMm);
}
HPDF_REAL Y(double mm) {
    return static_cast<HPDF_REAL>((kPageHeightMm - mm) * kPointsPerMm);
}
HPDF_REAL Unit(uint8_t level) {
    return static_cast<HPDF_REAL>(level / 255.0);
}

void DrawPath(HPDF_Page page, const PagePath& path) {
    if (!path.stroked && !path.filled)
        return;
    HPDF_Page_SetLineWidth(page, X(path.lineWidthMm));
    HPDF_Page_SetRGBStroke(page, Unit(path.stroke.red), Unit(path.stroke.green), Unit(path.stroke.blue));
    HPDF_Page_SetRGBFill(page, Unit(path.fill.red), Unit(path.fill.green), Unit(path.fill.blue));
    bool any = false;
    for (const auto& contour : path.contours) {
        if (contour.size() < 2)
            continue;
        HPDF_Page_MoveTo(page, X(contour[0].x), Y(contour[0].y));
        for (size_t i = 1; i < contour.size(); ++i)
            HPDF_Page_LineTo(page, X(contour[i].x), Y(contour[i].y));
        if (path.closed)
            HPDF_Page_ClosePath(page);
        any = true;
    }
    if (!any)
        return;
    if (path.filled && path.stroked && path.closed) {
        HPDF_Page_EofillStroke(page);
    } else if (path.filled && path.closed) {
        HPDF_Page_Eofill(page);
    } else {
        HPDF_Page_Stroke(page);
    }
}

}  // namespace

bool PdfTypesetter::Write(const PageDescription& pages, const std::string& title, std::vector<uint8_t>* bytes) {
    if (!Ready())
        return false;
    Document& d = *document_;
    HPDF_SetInfoAttr(d.pdf, HPDF_INFO_TITLE, title.c_str());
    HPDF_SetInfoAttr(d.pdf, HPDF_INFO_CREATOR, "Zelvora");
    for (const Page& described : pages.pages) {
        HPDF_Page page = HPDF_AddPage(d.pdf);
        if (!page)
            return false;
        HPDF_Page_SetWidth(page, X(kPageWidthMm));
        HPDF_Page_SetHeight(page, X(kPageHeightMm));
        for (const PagePath& path : described.paths)
            DrawPath(page, path);
        HPDF_Page_SetRGBFill(page, 0, 0, 0);
        for (const PageText& text : described.texts) {
            std::vector<Run> runs = d.Runs(text.text, text.bold);
            double width = 0.0;
            for (const Run& run : runs)
                width += d.RunWidthPt(run, text.sizePt);
            double x = X(text.at.x) - (text.align == TextAlign::right    ? width
                                       : text.align == TextAlign::centre ? width / 2.0
                                                                         : 0.0);
            for (const Run& run : runs) {
                HPDF_Page_BeginText(page);
                HPDF_Page_SetFontAndSize(page, run.font, static_cast<HPDF_REAL>(text.sizePt));
                HPDF_Page_TextOut(page, static_cast<HPDF_REAL>(x), Y(text.at.y), run.text.c_str());
                HPDF_Page_EndText(page);
                x += d.RunWidthPt(run, text.sizePt);
            }
        }
    }
    if (HPDF_GetError(d.pdf) != HPDF_OK || HPDF_SaveToStream(d.pdf) != HPDF_OK)
        return false;
    bytes->assign(HPDF_GetStreamSize(d.pdf), 0);
    HPDF_UINT32 done = 0;
    while (done < bytes->size()) {
        HPDF_UINT32 size = static_cast<HPDF_UINT32>(bytes->size() - done);
        HPDF_STATUS status = HPDF_ReadFromStream(d.pdf, bytes->data() + done, &size);
        done += size;
        if (size == 0 || (status != HPDF_OK && status != HPDF_STREAM_EOF))
            break;
    }
    return done == bytes->size();
}
