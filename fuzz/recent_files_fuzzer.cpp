// libFuzzer target over the recent-files INI reader: any text gives a list of at most four usable
// paths, each file once, whose written text reads back as the same list and writes the same text.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/recent_files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    RecentFiles files = ParseRecentFiles(std::string(reinterpret_cast<const char*>(data), size));
    const auto& paths = files.paths();
    if (paths.size() > static_cast<size_t>(RecentFileLimit))
        abort();
    for (size_t i = 0; i < paths.size(); i++) {
        if (!RecentPathUsable(paths[i]) || RecentMenuText(static_cast<int32_t>(i + 1), paths[i]).size() < 3)
            abort();
        for (size_t k = 0; k < i; k++)
            if (SamePath(paths[i], paths[k]))
                abort();
    }
    std::string written = RecentFilesIni(files);
    RecentFiles again = ParseRecentFiles(written);
    if (again.paths() != paths || RecentFilesIni(again) != written)
        abort();
    return 0;
}
