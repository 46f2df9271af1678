#include "report/report_fonts.h"

// The font files are assembled into this object as they are (paths from the build), between two labels
// each; a PE object keeps read-only data in .rdata, an ELF one in .rodata.
#ifdef _WIN32
#define ZELVORA_READ_ONLY_SECTION ".section .rdata,\"dr\"\n"
#else
#define ZELVORA_READ_ONLY_SECTION ".section .rodata\n"
#endif
#define ZELVORA_FONT(label, path)       \
    ZELVORA_READ_ONLY_SECTION           \
    ".balign 16\n"                      \
    ".global " #label "_start\n" #label \
    "_start:\n"                         \
    ".incbin \"" path                   \
    "\"\n"                              \
    ".global " #label "_end\n" #label   \
    "_end:\n"                           \
    ".text\n"

__asm__(ZELVORA_FONT(zelvora_font_regular, ZELVORA_FONT_REGULAR));
__asm__(ZELVORA_FONT(zelvora_font_bold, ZELVORA_FONT_BOLD));
__asm__(ZELVORA_FONT(zelvora_font_fallback, ZELVORA_FONT_FALLBACK));

extern "C" const unsigned char zelvora_font_regular_start[], zelvora_font_regular_end[];
extern "C" const unsigned char zelvora_font_bold_start[], zelvora_font_bold_end[];
extern "C" const unsigned char zelvora_font_fallback_start[], zelvora_font_fallback_end[];

FontBytes ReportFontBytes(ReportFace face) {
    switch (face) {
        case ReportFace::bold:
            return {zelvora_font_bold_start, size_t(zelvora_font_bold_end - zelvora_font_bold_start)};
        case ReportFace::fallback:
            return {zelvora_font_fallback_start, size_t(zelvora_font_fallback_end - zelvora_font_fallback_start)};
        case ReportFace::regular: break;
    }
    return {zelvora_font_regular_start, size_t(zelvora_font_regular_end - zelvora_font_regular_start)};
}
