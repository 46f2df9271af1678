#include "shell/help_paging.h"

#include <algorithm>

HelpText MeasureHelpText(const char* text, size_t size) {
    HelpText measured{0, 0};
    while (measured.length < size && text[measured.length] != '\\') {
        if (text[measured.length] == '\n')
            measured.lineCount++;
        measured.length++;
    }
    return measured;
}

int32_t HelpScrollPosition(int32_t position, int32_t request, int32_t thumb, int32_t clientHeight, int32_t lineHeight,
                           int32_t lineCount) {
    int32_t page = lineHeight > 0 ? clientHeight / lineHeight : 0;
    switch (request) {
        case LineUp: position -= 1; break;
        case LineDown: position += 1; break;
        case PageUp: position -= page; break;
        case PageDown: position += page; break;
        case ThumbPosition: position = thumb; break;
        case ScrollTop: position = 0; break;
        case ScrollBottom: position = lineCount; break;
        default: break;
    }
    return std::clamp(position, 0, std::max(lineCount, 0));
}
