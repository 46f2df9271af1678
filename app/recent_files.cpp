#include "app/recent_files.h"

#include <algorithm>

#include "app/ini_text.h"
#include "model/drawing.h"
#include "text/utf8_text.h"

RecentFiles recentFiles;

namespace {

char PathFolded(char c) {
    return c == '/' ? '\\' : c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// The slot of a key File1 to File4, or 0 for any other key.
int32_t FileSlot(const std::string& key) {
    if (key.size() != 5 || !SameIniName(key.substr(0, 4), "File") || key[4] < '1' || key[4] > '0' + RecentFileLimit)
        return 0;
    return key[4] - '0';
}

}  // namespace

bool SamePath(const std::string& a, const std::string& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return PathFolded(x) == PathFolded(y); });
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

RecentFiles ParseRecentFiles(const std::string& ini) {
    std::string slots[RecentFileLimit + 1];
    bool taken[RecentFileLimit + 1] = {};
    for (const IniEntry& entry : IniEntries(ini)) {
        int32_t slot = SameIniName(entry.section, "Recent") ? FileSlot(entry.key) : 0;
        if (slot == 0 || taken[slot])
            continue;
        taken[slot] = true;
        slots[slot] = entry.value;
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
