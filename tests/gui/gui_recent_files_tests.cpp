// File > 1..4: the drawings last opened or saved, kept between runs in the INI file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/recent_files.h"
#include "resources/resource.h"
#include "shell/recent_files_win.h"
#include "tests/gui/gui_test_support.h"

namespace {

// The texts after Quit at the end of the File menu, the separator as "-".
std::vector<std::string> RecentItems(HWND window) {
    HMENU menu = GetSubMenu(GetMenu(window), 0);
    std::vector<std::string> items;
    bool afterQuit = false;
    for (int i = 0; i < GetMenuItemCount(menu); i++) {
        char text[300] = {};
        GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
        if (afterQuit)
            items.push_back(text[0] ? text : "-");
        afterQuit = afterQuit || GetMenuItemID(menu, i) == IDM_FILE_QUIT;
    }
    return items;
}

std::string IniText() {
    std::vector<uint8_t> bytes = FileBytes(recentFilesIni);
    return std::string(bytes.begin(), bytes.end());
}

using RecentFilesMenu = MainWindowTest;

}  // namespace

TEST_F(RecentFilesMenu, OpenedAndSavedDrawingsComeFirstAndReopenWithOneClick) {
    EXPECT_TRUE(RecentItems(window).empty());
    std::string house = CopyOfExample("house.Zlv"), site = CopyOfExample("industrial_site.Zlv");
    Open(house);
    Command(IDM_FILE_CLOSE);
    Open(site);
    script.fileNames.push_back(TempPath("R&D site.Zlv"));
    Command(IDM_FILE_SAVE_AS);
    EXPECT_EQ(RecentItems(window),
              (std::vector<std::string>{"-", "&1 R&&D site.Zlv", "&2 industrial_site.Zlv", "&3 house.Zlv"}));
    EXPECT_NE(IniText().find("house.Zlv"), std::string::npos) << "the list is kept between runs";

    MainSession().drawing.modified = 1;  // a change the user does not want to keep
    script.answers.push_back(IDNO);
    Command(IDM_FILE_RECENT_FIRST + 2);
    ASSERT_EQ(script.prompts.size(), 1u);
    EXPECT_EQ(script.prompts[0].text, "Draw has changed. Do you want save it?");
    EXPECT_STREQ(MainSession().drawing.fileName, house.c_str());
    EXPECT_EQ(MainSession().drawing.polygons.count(), 1);
    EXPECT_EQ(RecentItems(window)[1], "&1 house.Zlv");

    // The window made again reads the list back from its file.
    Recreate(L"zelvora.exe");
    EXPECT_EQ(RecentItems(window).size(), 4u);
}

TEST_F(RecentFilesMenu, AFileThatNoLongerOpensLeavesTheList) {
    std::string gone = CopyOfExample("house.Zlv");
    Open(gone);
    Command(IDM_FILE_CLOSE);
    DeleteFileA(gone.c_str());
    Command(IDM_FILE_RECENT_FIRST);
    ASSERT_EQ(script.prompts.size(), 1u);
    EXPECT_EQ(script.prompts[0].text, "Error to opening file");
    EXPECT_TRUE(RecentItems(window).empty());
    EXPECT_EQ(IniText().find("house.Zlv"), std::string::npos);
}

// A damaged list is read for what it still holds and written anew.
TEST_F(RecentFilesMenu, ADamagedIniIsReadAndRewritten) {
    std::string kept = CopyOfExample("l_building.Zlv");
    std::string damaged =
        "\x01\x02junk\r\n[Recent]\r\nFile1=" + kept + "\r\nFile1=twice\r\nFile9=" + std::string(400, 'x') + "\r\n";
    WriteBytes(recentFilesIni, std::vector<uint8_t>(damaged.begin(), damaged.end()));
    Recreate(L"zelvora.exe");
    EXPECT_EQ(RecentItems(window), (std::vector<std::string>{"-", "&1 l_building.Zlv"}));
    EXPECT_EQ(IniText(), RecentFilesIni(recentFiles));
}
