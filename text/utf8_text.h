// Whether bytes are well-formed UTF-8, the program's code page for paths and names.
#pragma once

#include <string>

// Shortest forms only, no surrogate halves, nothing beyond U+10FFFF: what MultiByteToWideChar
// accepts with MB_ERR_INVALID_CHARS.
bool IsUtf8(const std::string& text);
