#include "shell/recent_files_win.h"

#include <shlobj.h>

#include "app/recent_files.h"
#include "app/session.h"
#include "model/drawing.h"
#include "model/file_io.h"
#include "resources/resource.h"
#include "shell/file_commands_win.h"
#include "ui/app_windows_win.h"

std::string recentFilesIni;

namespace {

constexpr const char* StructuresSection = "Structures";
std::optional<WindowPlace> structuresPlace;

constexpr size_t MostIniBytes = 64 * 1024;  // a list of four paths is far less; more is not ours

// The whole settings text: the list, then the places of windows that have one.
std::string SettingsText() {
    std::string text = RecentFilesIni(recentFiles);
    if (structuresPlace)
        text += WindowPlaceIni(StructuresSection, *structuresPlace);
    return text;
}

void WriteRecentFiles() {
    if (recentFilesIni.empty())
        return;
    std::string folder = recentFilesIni.substr(0, recentFilesIni.find_last_of("\\/"));
    CreateDirectoryA(folder.c_str(), nullptr);  // there already, or made now
    std::string text = SettingsText();
    WriteFileAtomically(recentFilesIni.c_str(), std::vector<uint8_t>(text.begin(), text.end()));
}

HMENU FileMenu(HWND window) {
    return GetSubMenu(GetMenu(window), 0);
}

}  // namespace

std::string DefaultRecentFilesIni() {
    char folder[MAX_PATH];
    if (SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder) != S_OK)
        return "";
    return std::string(folder) + "\\Zelvora\\recent.ini";
}

void LoadRecentFiles() {
    std::vector<uint8_t> bytes;
    bool read =
        !recentFilesIni.empty() && ReadWholeFile(recentFilesIni.c_str(), &bytes) && bytes.size() <= MostIniBytes;
    std::string text = read ? std::string(bytes.begin(), bytes.end()) : "";
    recentFiles = ParseRecentFiles(text);
    structuresPlace = ParseWindowPlace(text, StructuresSection);
    if (!read || SettingsText() != text)
        WriteRecentFiles();
}

std::optional<WindowPlace> StoredStructuresPlace() {
    return structuresPlace;
}

void RememberStructuresPlace(const WindowPlace& place) {
    structuresPlace = place;
    WriteRecentFiles();
}

void RememberRecentFile(HWND window, const char* path) {
    if (recentFiles.add(path))
        WriteRecentFiles();
    ShowRecentFiles(window);
}

void ForgetRecentFile(HWND window, const char* path) {
    if (recentFiles.remove(path))
        WriteRecentFiles();
    ShowRecentFiles(window);
}

void ShowRecentFiles(HWND window) {
    HMENU menu = FileMenu(window);
    if (!menu)
        return;
    // The list's separator follows Quit, the menu's last fixed item.
    while (GetMenuItemCount(menu) > 0 && GetMenuItemID(menu, GetMenuItemCount(menu) - 1) != IDM_FILE_QUIT)
        DeleteMenu(menu, GetMenuItemCount(menu) - 1, MF_BYPOSITION);
    const std::vector<std::string>& paths = recentFiles.paths();
    if (!paths.empty())
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    for (size_t i = 0; i < paths.size(); i++)
        AppendMenuA(menu, MF_STRING, IDM_FILE_RECENT_FIRST + i,
                    RecentMenuText(static_cast<int32_t>(i + 1), paths[i]).c_str());
    DrawMenuBar(window);
}

void OpenRecentCommand(HWND window, int index) {
    Session& session = SessionOf(mainWindow);
    if (index < 0 || static_cast<size_t>(index) >= recentFiles.paths().size())
        return;
    std::string path = recentFiles.paths()[index];
    if (session.drawing.isOpen && !CloseDrawingCommand(window))
        return;
    if (!OpenNamedDrawing(window, path.c_str()))
        ForgetRecentFile(window, path.c_str());
}
