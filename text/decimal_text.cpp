#include "text/decimal_text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

bool CheckDecimalText(char* text) {
    if (!text[0])
        return false;
    int points = 0;
    for (char* c = text; *c; c++) {
        if (*c == ',')
            *c = '.';
        if (*c == '.')
            points++;
    }
    if (points > 1)
        return false;
    for (const char* c = text; *c; c++) {
        signed char code = static_cast<signed char>(*c);
        if (code < '+' || code > '9' || code == '/')
            return false;
    }
    return true;
}

// A checked text holds only signs, points and digits, so the C library's own conversion, which rounds
// correctly, reads exactly its leading number: no exponent, hexadecimal or "inf" can reach it.
double ReadDecimal(const char* text) {
    return strtod(text, nullptr);
}

std::string DecimalText(double value, int decimals) {
    int length = snprintf(nullptr, 0, "%.*f", decimals, value);
    std::string text(length > 0 ? length : 0, '\0');
    snprintf(text.data(), text.size() + 1, "%.*f", decimals, value);
    return text;
}
