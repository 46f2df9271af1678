#include "app/recent_files.h"

#include <algorithm>

#include "model/drawing.h"
#include "text/utf8_text.h"

RecentFiles recentFiles;

namespace {

char UpperAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

char PathFolded(char c) {
    return c == '/' ? '\\' : UpperAscii(c);
}

bool SameFolded(const std::string& a, const std::string& b, char (*fold)(char)) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return fold(x) == fold(y); });
}

// Section and key names compare without case, as Windows' own INI reader does.
bool SameWord(const std::string& text, const char* word) {
    return SameFolded(text, word, UpperAscii);
}

std::string Trimmed(const std::string& text, size_t begin, size_t end) {
    while (begin < end && (text[begin] == ' ' || text[begin] == '\t'))
        begin++;
    while (end > begin && (text[end - 1] == ' ' || text[end - 1] == '\t'))
        end--;
    return text.substr(begin, end - begin);
}

// The slot of a key File1 to File4, or 0 for any other key.
int32_t FileSlot(const std::string& key) {
    if (key.size() != 5 || !SameWord(key.substr(0, 4), "File") || key[4] < '1' || key[4] > '0' + RecentFileLimit)
        return 0;
    return key[4] - '0';
}

// Windows' own INI reader takes a value out of one pair of double quotes.
std::string Unquoted(const std::string& value) {
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        return value.substr(1, value.size() - 2);
    return value;
}

}  // namespace

bool SamePath(const std::string& a, const std::string& b) {
    return SameFolded(a, b, PathFolded);
}

// Spaces at either end would not survive the INI text, which trims its values.
bool RecentPathUsable(const std::string& path) {
    if (path.empty() || path.size() >= static_cast<size_t>(FileNameSize) || !IsUtf8(path) || path.front() == ' ' ||
        path.back() == ' ')
        return false;
    for (char c : path)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F || std::string("\"<>|?*").find(c) != std::string::npos)
            return false;
    return true;
}

bool RecentFiles::add(const std::string& path) {
    if (!RecentPathUsable(path))
        return false;
    remove(path);
    list.insert(list.begin(), path);
    if (list.size() > static_cast<size_t>(RecentFileLimit))
        list.pop_back();
    return true;
}

bool RecentFiles::remove(const std::string& path) {
    auto listed = std::find_if(list.begin(), list.end(), [&](const std::string& p) { return SamePath(p, path); });
    if (listed == list.end())
        return false;
    list.erase(listed);
    return true;
}

// Lines end at CR, LF or both; a UTF-8 byte order mark, as Notepad writes it, is passed over.
RecentFiles ParseRecentFiles(const std::string& ini) {
    std::string slots[RecentFileLimit + 1];
    bool taken[RecentFileLimit + 1] = {};
    bool inRecent = false;
    size_t start = ini.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    while (start < ini.size()) {
        size_t end = ini.find_first_of("\r\n", start);
        if (end == std::string::npos)
            end = ini.size();
        std::string line = Trimmed(ini, start, end);
        start = end + 1;
        if (!line.empty() && line[0] == '[') {
            size_t close = line.find(']');
            inRecent = close != std::string::npos && SameWord(Trimmed(line, 1, close), "Recent");
            continue;
        }
        size_t equals = line.find('=');
        if (!inRecent || equals == std::string::npos)
            continue;
        int32_t slot = FileSlot(Trimmed(line, 0, equals));
        if (slot == 0 || taken[slot])
            continue;
        taken[slot] = true;
        slots[slot] = Unquoted(Trimmed(line, equals + 1, line.size()));
    }
    // Added from the last slot up, so that File1 ends on top and the first of two equal paths wins.
    RecentFiles files;
    for (int32_t slot = RecentFileLimit; slot >= 1; slot--)
        files.add(slots[slot]);
    return files;
}

std::string RecentFilesIni(const RecentFiles& files) {
    std::string ini = "[Recent]\r\n";
    for (size_t i = 0; i < files.paths().size(); i++)
        ini += "File" + std::to_string(i + 1) + "=" + files.paths()[i] + "\r\n";
    return ini;
}

std::string RecentMenuText(int32_t position, const std::string& path) {
    size_t slash = path.find_last_of("\\/");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    std::string text = "&" + std::to_string(position) + " ";
    for (char c : name)
        text += c == '&' ? "&&" : std::string(1, c);
    return text;
}
