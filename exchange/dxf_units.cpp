#include "exchange/dxf_units.h"

#include <cstdlib>

namespace {

// US survey lengths are defined by 1 m = 39.37 inches exactly, hence the factor 1200/3937 of the foot.
constexpr double SurveyFoot = 1200.0 / 3937.0;
constexpr double AstronomicalUnit = 149597870700.0;
constexpr double LightYear = 9460730472580800.0;  // a Julian year at the speed of light
constexpr double Parsec = AstronomicalUnit * 648000.0 / 3.14159265358979323846;

const DxfUnit Units[] = {
    {1, 0.0254, "inches", "in"},
    {2, 0.3048, "feet", "ft"},
    {3, 1609.344, "miles", "mi"},
    {4, 0.001, "millimetres", "mm"},
    {5, 0.01, "centimetres", "cm"},
    {6, 1.0, "metres", "m"},
    {7, 1000.0, "kilometres", "km"},
    {8, 0.0254e-6, "microinches", "uin"},
    {9, 0.0254e-3, "mils", "mil"},
    {10, 0.9144, "yards", "yd"},
    {11, 1e-10, "angstroms", "angstrom"},
    {12, 1e-9, "nanometres", "nm"},
    {13, 1e-6, "microns", "um"},
    {14, 0.1, "decimetres", "dm"},
    {15, 10.0, "decametres", "dam"},
    {16, 100.0, "hectometres", "hm"},
    {17, 1e9, "gigametres", "gm"},
    {18, AstronomicalUnit, "astronomical units", "au"},
    {19, LightYear, "light years", "ly"},
    {20, Parsec, "parsecs", "pc"},
    {21, SurveyFoot, "US survey feet", "us-ft"},
    {22, SurveyFoot / 12.0, "US survey inches", "us-in"},
    {23, SurveyFoot * 3.0, "US survey yards", "us-yd"},
    {24, SurveyFoot * 5280.0, "US survey miles", "us-mi"},
    {0, 0.0, nullptr, nullptr},
};

}  // namespace

const DxfUnit* DxfUnits() {
    return Units;
}

const DxfUnit* DxfUnitOfCode(int code) {
    for (const DxfUnit* unit = Units; unit->name; unit++)
        if (unit->code == code)
            return unit;
    return nullptr;
}

const DxfUnit* DxfUnitNamed(const std::string& text) {
    for (const DxfUnit* unit = Units; unit->name; unit++)
        if (text == unit->option)
            return unit;
    int code;
    return ReadUnitCode(text, &code) ? DxfUnitOfCode(code) : nullptr;
}

std::string DxfUnitChoices() {
    std::string choices;
    for (const DxfUnit* unit = Units; unit->name; unit++)
        choices += (choices.empty() ? "" : "|") + std::string(unit->option);
    return choices;
}

bool ReadUnitCode(const std::string& value, int* code) {
    size_t begin = value.find_first_not_of(" \t");
    size_t end = value.find_last_not_of(" \t");
    if (begin == std::string::npos)
        return false;
    std::string digits = value.substr(begin, end - begin + 1);
    size_t first = digits[0] == '-' || digits[0] == '+' ? 1 : 0;
    if (first == digits.size() || digits.size() > 7 ||
        digits.find_first_not_of("0123456789", first) != std::string::npos)
        return false;
    *code = atoi(digits.c_str());
    return *code >= -32768 && *code <= 32767;
}
