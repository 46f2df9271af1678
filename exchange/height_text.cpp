#include "exchange/height_text.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <string>

bool ReadHeightText(const char* text, double* metres) {
    std::string number;
    const char* p = text;
    while (*p == ' ')
        p++;
    if (*p == '+' || *p == '-')
        number += *p++;
    bool digits = false, separator = false;
    for (; std::isdigit(static_cast<unsigned char>(*p)) || *p == '.' || *p == ','; p++) {
        if (*p == '.' || *p == ',') {
            if (separator)
                return false;
            separator = true;
            number += '.';
        } else {
            digits = true;
            number += *p;
        }
    }
    while (*p == ' ')
        p++;
    if (*p == 'm')
        p++;
    while (*p == ' ')
        p++;
    if (!digits || *p != 0)
        return false;
    // strtod follows the C locale's decimal point, which is '.' in this program.
    double value = strtod(number.c_str(), nullptr);
    if (!std::isfinite(value))
        return false;
    *metres = value;
    return true;
}
