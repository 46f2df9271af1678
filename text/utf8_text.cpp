#include "text/utf8_text.h"

#include <cstdint>

// Each lead byte fixes the length of its sequence and the range of its first continuation byte; the
// narrowed ranges are what rule out overlong forms, surrogates and code points beyond U+10FFFF.
bool IsUtf8(const std::string& text) {
    size_t i = 0;
    while (i < text.size()) {
        uint8_t lead = static_cast<uint8_t>(text[i]);
        size_t length = 1;
        uint8_t low = 0x80, high = 0xBF;
        if (lead < 0x80) {
            i++;
            continue;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            low = lead == 0xE0 ? 0xA0 : 0x80;
            high = lead == 0xED ? 0x9F : 0xBF;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            low = lead == 0xF0 ? 0x90 : 0x80;
            high = lead == 0xF4 ? 0x8F : 0xBF;
        } else {
            return false;
        }
        if (text.size() - i < length)
            return false;
        for (size_t k = 1; k < length; k++) {
            uint8_t next = static_cast<uint8_t>(text[i + k]);
            if (next < (k == 1 ? low : 0x80) || next > (k == 1 ? high : 0xBF))
                return false;
        }
        i += length;
    }
    return true;
}
