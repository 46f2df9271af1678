#include "app/ini_text.h"

#include <algorithm>
#include <cstring>

namespace {

char UpperAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string Trimmed(const std::string& text, size_t begin, size_t end) {
    while (begin < end && (text[begin] == ' ' || text[begin] == '\t'))
        begin++;
    while (end > begin && (text[end - 1] == ' ' || text[end - 1] == '\t'))
        end--;
    return text.substr(begin, end - begin);
}

std::string Unquoted(const std::string& value) {
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        return value.substr(1, value.size() - 2);
    return value;
}

}  // namespace

bool SameIniName(const std::string& name, const char* wanted) {
    return name.size() == strlen(wanted) &&
           std::equal(name.begin(), name.end(), wanted, [](char x, char y) { return UpperAscii(x) == UpperAscii(y); });
}

std::vector<IniEntry> IniEntries(const std::string& ini) {
    std::vector<IniEntry> entries;
    std::string section;
    size_t start = ini.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    while (start < ini.size()) {
        size_t end = ini.find_first_of("\r\n", start);
        if (end == std::string::npos)
            end = ini.size();
        std::string line = Trimmed(ini, start, end);
        start = end + 1;
        if (!line.empty() && line[0] == '[') {
            size_t close = line.find(']');
            section = close == std::string::npos ? std::string() : Trimmed(line, 1, close);
            continue;
        }
        size_t equals = line.find('=');
        if (equals != std::string::npos)
            entries.push_back({section, Trimmed(line, 0, equals), Unquoted(Trimmed(line, equals + 1, line.size()))});
    }
    return entries;
}
