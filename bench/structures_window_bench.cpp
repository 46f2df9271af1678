// Times the Structures window on a district of small buildings (10,000 by default: 100 rows of 100,
// 5,500 structures): from opening the window to every row listed, then a sort by Ad and the list
// scrolled to its last row. The window's run is the same assessment as assess; the rest is the list's
// own work, which a virtual list keeps small. A first argument gives the rows of 100 buildings.
#include <windows.h>

#include <commctrl.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/session.h"
#include "bench/district.h"
#include "exchange/import_build.h"
#include "exchange/import_file.h"
#include "model/file_io.h"
#include "resources/resource.h"
#include "shell/main_window_win.h"
#include "shell/recent_files_win.h"
#include "shell/structures_window_win.h"
#include "ui/app_windows_win.h"

namespace {

using Clock = std::chrono::steady_clock;
double Since(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        if (msg.message != WM_QUIT) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
}

std::string Note() {
    char text[400] = {};
    GetWindowTextA(GetDlgItem(StructuresWindow(), IDC_STRUCTURES_NOTE), text, sizeof text);
    return text;
}

bool Import(Drawing* drawing, const std::string& path, int rows) {
    std::string text = DistrictGeoJson(rows);
    if (!WriteFileAtomically(path.c_str(), std::vector<uint8_t>(text.begin(), text.end())))
        return false;
    ImportSource source;
    std::string message;
    bool read = ReadImportFile(path.c_str(), &source, &message) == ImportFileError::None &&
                ApplyImport(BuildImport(source, ImportSettings()), false, drawing) == ApplyOutcome::Applied;
    remove(path.c_str());
    drawing->isOpen = 1;
    return read;
}

}  // namespace

int main(int argc, char** argv) {
    int rows = argc > 1 ? atoi(argv[1]) : 100;
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES | ICC_PROGRESS_CLASS | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    char folder[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    recentFilesIni = std::string(folder) + "zelvora_bench_recent.ini";  // never the user's own settings
    if (!RegisterMainClasses())
        return 1;
    HWND window = CreateMainWindow(GetModuleHandleA(nullptr), L"zelvora.exe");
    if (!window || !Import(&SessionOf(window).drawing, std::string(folder) + "zelvora_bench_district.geojson", rows)) {
        fprintf(stderr, "the district cannot be made\n");
        return 2;
    }
    Drawing& drawing = SessionOf(window).drawing;
    printf("district: %d buildings, %d polygons\n", rows * 100, drawing.polygons.count());

    Clock::time_point start = Clock::now();
    OpenStructuresWindow(window);
    HWND list = GetDlgItem(StructuresWindow(), IDC_STRUCTURES_LIST);
    while (Note().empty() || Note()[0] < '0' || Note()[0] > '9') {  // "5500 structures." once listed
        Pump();
        Sleep(5);
    }
    UpdateWindow(list);
    double listed = Since(start);
    int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    printf("opened to every row listed: %.2f s (%d rows; %s)\n", listed, count, Note().c_str());

    Clock::time_point sort = Clock::now();
    NMLISTVIEW click = {};
    click.hdr = {list, IDC_STRUCTURES_LIST, static_cast<UINT>(LVN_COLUMNCLICK)};
    click.iSubItem = 3;  // Ad
    SendMessageA(StructuresWindow(), WM_NOTIFY, IDC_STRUCTURES_LIST, reinterpret_cast<LPARAM>(&click));
    UpdateWindow(list);
    printf("sorted by Ad and shown again: %.3f s\n", Since(sort));

    Clock::time_point scroll = Clock::now();
    SendMessageA(list, LVM_ENSUREVISIBLE, count - 1, FALSE);
    UpdateWindow(list);
    printf("scrolled to the last row and shown: %.3f s\n", Since(scroll));
    drawing.modified = 0;  // an imported drawing is unsaved: nothing to ask at the end
    DestroyWindow(window);
    Pump();
    remove(recentFilesIni.c_str());
    return 0;
}
