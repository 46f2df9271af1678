#include "text/number_field.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

// The shortest text that reads back as the bound: "0", "1000", "0.5".
std::string Bound(double value) {
    char text[40];
    snprintf(text, sizeof text, "%.15g", value);
    return text;
}

}  // namespace

bool ReadNumberField(const char* text, const NumberRange& range, double* value) {
    std::string plain;
    for (const char* c = text; *c; c++)
        plain += *c == ',' ? '.' : *c;
    size_t begin = plain.find_first_not_of(' '), end = plain.find_last_not_of(' ');
    if (begin == std::string::npos)
        return false;
    plain = plain.substr(begin, end - begin + 1);
    size_t i = plain[0] == '+' || plain[0] == '-' ? 1 : 0;
    size_t digits = 0, points = 0;
    for (; i < plain.size(); i++) {
        if (plain[i] == '.')
            points++;
        else if (isdigit(static_cast<unsigned char>(plain[i])))
            digits++;
        else
            return false;
    }
    if (digits == 0 || points > 1)
        return false;
    double read = strtod(plain.c_str(), nullptr);
    if (!std::isfinite(read) || read < range.low || read > range.high)
        return false;
    *value = read == 0.0 ? 0.0 : read;  // no negative zero from "-0"
    return true;
}

std::string RangeMessage(const NumberRange& range) {
    return std::string(range.field) + " takes a number from " + Bound(range.low) + " to " + Bound(range.high) + ".";
}

bool ReadShownNumber(const char* text, const std::string& shown, double stored, const NumberRange& range,
                     double* value) {
    if (shown == text) {
        *value = stored;
        return true;
    }
    return ReadNumberField(text, range, value);
}

Refusal RefuseRange(int field, const NumberRange& range) {
    return {field, RangeMessage(range)};
}
