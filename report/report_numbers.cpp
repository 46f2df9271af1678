#include "report/report_numbers.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

const char* const kThousandsSeparator = "\xC2\xA0";

std::string GroupedNumber(double value, int decimals) {
    if (!std::isfinite(value))
        return "-";
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    std::string digits = text;
    bool negative = digits[0] == '-';
    if (negative)
        digits.erase(0, 1);
    size_t point = digits.find('.');
    std::string whole = digits.substr(0, point);
    std::string grouped;
    for (size_t i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0)
            grouped += kThousandsSeparator;
        grouped += whole[i];
    }
    if (point != std::string::npos)
        grouped += digits.substr(point);
    if (negative && grouped.find_first_not_of("0.\xC2\xA0") != std::string::npos)
        grouped.insert(0, "-");
    return grouped;
}

std::string PlainNumber(double value) {
    if (std::fabs(value) >= 1000.0)
        return GroupedNumber(value, value == std::floor(value) ? 0 : 1);
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", value);
    return text;
}

std::string EventsNumber(double value) {
    if (!std::isfinite(value))
        return "-";
    if (value == 0.0)
        return "0";
    char text[64];
    if (std::fabs(value) < 1e-4) {
        std::snprintf(text, sizeof text, "%.2e", value);  // "2.00e-05"
        std::string mantissa(text, std::strchr(text, 'e'));
        int exponent = std::atoi(std::strchr(text, 'e') + 1);
        return mantissa + "\xC2\xB7" + "10^" + std::to_string(exponent);
    }
    int magnitude = int(std::floor(std::log10(std::fabs(value))));
    int decimals = magnitude >= 2 ? 0 : 2 - magnitude;
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    // rounding may carry into one more digit (0.09996 -> "0.1000"): give the digit back
    double shown = std::atof(text);
    if (decimals > 0 && std::floor(std::log10(std::fabs(shown))) > magnitude)
        std::snprintf(text, sizeof text, "%.*f", decimals - 1, value);
    return magnitude >= 3 ? GroupedNumber(value, 0) : std::string(text);
}
