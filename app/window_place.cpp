#include "app/window_place.h"

#include <cerrno>
#include <cstdlib>

#include "app/ini_text.h"

namespace {

constexpr long LeastSize = 100, MostSize = 16384, FarthestCorner = 32000;

bool WholeNumber(const std::string& text, long least, long most, int32_t* value) {
    if (text.empty())
        return false;
    char* end = nullptr;
    errno = 0;
    long read = strtol(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || read < least || read > most)
        return false;
    *value = static_cast<int32_t>(read);
    return true;
}

}  // namespace

std::optional<WindowPlace> ParseWindowPlace(const std::string& ini, const char* section) {
    const char* const keys[] = {"Left", "Top", "Width", "Height"};
    const long least[] = {-FarthestCorner, -FarthestCorner, LeastSize, LeastSize};
    const long most[] = {FarthestCorner, FarthestCorner, MostSize, MostSize};
    WindowPlace place;
    int32_t* fields[] = {&place.left, &place.top, &place.width, &place.height};
    bool found[4] = {};
    for (const IniEntry& entry : IniEntries(ini)) {
        if (!SameIniName(entry.section, section))
            continue;
        for (int i = 0; i < 4; i++)
            if (!found[i] && SameIniName(entry.key, keys[i])) {
                if (!WholeNumber(entry.value, least[i], most[i], fields[i]))
                    return std::nullopt;
                found[i] = true;
            }
    }
    for (bool f : found)
        if (!f)
            return std::nullopt;
    return place;
}

std::string WindowPlaceIni(const char* section, const WindowPlace& place) {
    return std::string("[") + section + "]\r\nLeft=" + std::to_string(place.left) +
           "\r\nTop=" + std::to_string(place.top) + "\r\nWidth=" + std::to_string(place.width) +
           "\r\nHeight=" + std::to_string(place.height) + "\r\n";
}
