#include "assessment/line_words.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

const char* const KindWords[] = {"power", "telecom"};
const char* const InstallationWords[] = {"aerial", "buried", "meshed"};
const char* const EnvironmentWords[] = {"rural", "suburban", "urban", "urban-tall"};

template <typename Enum, size_t N>
bool ReadWord(const std::string& text, const char* const (&words)[N], Enum* value) {
    for (size_t i = 0; i < N; i++)
        if (text == words[i]) {
            *value = static_cast<Enum>(i);
            return true;
        }
    return false;
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t at; (at = text.find(separator, start)) != std::string::npos; start = at + 1)
        parts.push_back(text.substr(start, at - start));
    parts.push_back(text.substr(start));
    return parts;
}

bool ReadNumber(const std::string& text, double* value) {
    char* end = nullptr;
    *value = strtod(text.c_str(), &end);
    return !text.empty() && *end == 0 && std::isfinite(*value);
}

std::string Number(double value) {
    char text[32];
    snprintf(text, sizeof text, "%.17g", value);
    return text;
}

bool Fail(std::string* error, const std::string& text) {
    *error = text;
    return false;
}

}  // namespace

const char* LineKindWord(LineKind kind) {
    return KindWords[static_cast<int>(kind)];
}

const char* LineInstallationWord(LineInstallation installation) {
    return InstallationWords[static_cast<int>(installation)];
}

const char* LineEnvironmentWord(LineEnvironment environment) {
    return EnvironmentWords[static_cast<int>(environment)];
}

bool ParseLineSpec(const std::string& text, LineSettings* line, std::string* error) {
    std::vector<std::string> parts = Split(text, ':');
    if (parts.size() < 3 || parts.size() > 8)
        return Fail(error, "a line is kind:installation:length[:environment[:transformer[:uw[:LxWxH[:cdj]]]]]");
    LineSettings read;
    if (!ReadWord(parts[0], KindWords, &read.kind))
        return Fail(error, "line kind '" + parts[0] + "': power or telecom");
    if (!ReadWord(parts[1], InstallationWords, &read.installation))
        return Fail(error, "line installation '" + parts[1] + "': aerial, buried or meshed");
    if (parts[2] != "unknown" && (!ReadNumber(parts[2], &read.length) || read.length <= 0.0))
        return Fail(error, "line length '" + parts[2] + "': a number of metres above 0, or unknown");
    if (parts.size() > 3 && !ReadWord(parts[3], EnvironmentWords, &read.environment))
        return Fail(error, "line environment '" + parts[3] + "': rural, suburban, urban or urban-tall");
    if (parts.size() > 4) {
        if (parts[4] != "yes" && parts[4] != "no")
            return Fail(error, "line transformer '" + parts[4] + "': yes or no");
        read.transformer = parts[4] == "yes";
    }
    if (parts.size() > 5 && (!ReadNumber(parts[5], &read.uw) || read.uw <= 0.0))
        return Fail(error, "line UW '" + parts[5] + "': kV above 0");
    if (parts.size() > 6) {
        std::vector<std::string> sizes = Split(parts[6], 'x');
        AdjacentStructure& adjacent = read.adjacent;
        if (sizes.size() != 3 || !ReadNumber(sizes[0], &adjacent.length) || !ReadNumber(sizes[1], &adjacent.width) ||
            !ReadNumber(sizes[2], &adjacent.height) || adjacent.length <= 0.0 || adjacent.width <= 0.0 ||
            adjacent.height < 0.0)
            return Fail(error, "adjacent structure '" + parts[6] +
                                   "': LxWxH in metres, length and width above 0, height 0 or more");
        adjacent.present = 1;
    }
    if (parts.size() > 7 && (!ReadNumber(parts[7], &read.adjacent.cdj) || !CdValueValid(read.adjacent.cdj, false)))
        return Fail(error, "line CDJ '" + parts[7] + "': 0.25, 0.5, 1 or 2");
    *line = read;
    return true;
}

std::string LineSpecText(const LineSettings& line) {
    std::string text = std::string(LineKindWord(line.kind)) + ":" + LineInstallationWord(line.installation) + ":" +
                       (line.length > 0.0 ? Number(line.length) : "unknown") + ":" +
                       LineEnvironmentWord(line.environment) + ":" + (line.transformer ? "yes" : "no") + ":" +
                       Number(LineWithstand(line));
    const AdjacentStructure& adjacent = line.adjacent;
    if (adjacent.present)
        text += ":" + Number(adjacent.length) + "x" + Number(adjacent.width) + "x" + Number(adjacent.height) + ":" +
                Number(adjacent.cdj);
    return text;
}
