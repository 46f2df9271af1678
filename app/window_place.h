// Where a window of the program was last left (the Structures window), kept with the recent files in
// a section of their INI text: [Name] with Left, Top, Width and Height in screen pixels.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

struct WindowPlace {
    int32_t left = 0, top = 0, width = 0, height = 0;
};

// The place stored under that section; none when it is missing, incomplete, not whole numbers, or
// outside what a screen can hold (sizes of 100 to 16,384 pixels, corners within ±32,000).
std::optional<WindowPlace> ParseWindowPlace(const std::string& ini, const char* section);

// The section's text, with CR LF line ends.
std::string WindowPlaceIni(const char* section, const WindowPlace& place);
