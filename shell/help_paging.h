// The arithmetic of the help window: how much of the guide is shown and where a scroll request lands.
#pragma once

#include <cstddef>
#include <cstdint>

// The shown text runs to the first backslash or the end; its line count is the number of line feeds.
struct HelpText {
    size_t length;
    int32_t lineCount;
};
HelpText MeasureHelpText(const char* text, size_t size);

// Scroll requests, numbered as the scroll bar numbers them.
enum HelpScroll {
    LineUp = 0,
    LineDown = 1,
    PageUp = 2,
    PageDown = 3,
    ThumbPosition = 4,
    ThumbTrack = 5,
    ScrollTop = 6,
    ScrollBottom = 7
};

// The new first line after a request, kept within 0..lineCount; tracking and unknown requests keep it.
int32_t HelpScrollPosition(int32_t position, int32_t request, int32_t thumb, int32_t clientHeight, int32_t lineHeight,
                           int32_t lineCount);
