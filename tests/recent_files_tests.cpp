// Tests of the recent files: which paths are the same file, which are worth listing, the order of the
// list, reading damaged INI text and the File menu items.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/recent_files.h"

namespace {

using Paths = std::vector<std::string>;
using namespace std::string_literals;

}  // namespace

TEST(RecentFiles, PathsCompareAsWindowsComparesThem) {
    const char* const same[][2] = {{"C:\\Plans\\Hall.Zlv", "c:/plans/HALL.zlv"},
                                   {"\\\\server\\share\\a.Zlv", "//SERVER/share/A.ZLV"}};
    const char* const different[][2] = {
        {"C:\\a.Zlv", "C:\\a.Zlv.bak"},           {"C:\\a\\b.Zlv", "C:\\a\\\\b.Zlv"},
        {"C:\\[a].Zlv", "C:\\{a}.Zlv"},           {"C:\\@.Zlv", "C:\\`.Zlv"},  // neighbours of the letters in ASCII
        {"C:\\\xC3\x84.Zlv", "C:\\\xC3\xA4.Zlv"},                              // beyond ASCII the bytes decide
    };
    for (auto pair : same)
        EXPECT_TRUE(SamePath(pair[0], pair[1]) && SamePath(pair[1], pair[0])) << pair[0];
    for (auto pair : different)
        EXPECT_FALSE(SamePath(pair[0], pair[1]) || SamePath(pair[1], pair[0])) << pair[0];
}

TEST(RecentFiles, OnlyPathsADrawingCanHaveAreListed) {
    const std::string usable[] = {
        "C:\\Projekte\\H\xC3\xB6he & Dach.Zlv", "C:\\\xE6\xA5\xBC\\\xF0\x9F\x8F\xA0.Zlv", "C:\\a b.Zlv",
        "C:\\" + std::string(256, 'a'),  // 259 bytes, the longest a file name holds
    };
    const std::string unusable[] = {
        "",
        "C:\\" + std::string(257, 'a'),
        "C:\\\xC3(.Zlv",
        "C:\\a.Zlv\xE2\x82",
        "C:\\\xFF.Zlv",  // cut short, a byte that leads nothing
        "C:\\\xC0\xAF.Zlv",
        "C:\\\xE0\x80\xAF.Zlv",
        "C:\\\xF0\x8F\xBF\xBF.Zlv",  // overlong forms
        "C:\\\xED\xA0\x80.Zlv",
        "C:\\\xF4\x90\x80\x80.Zlv",  // a surrogate half, beyond U+10FFFF
        "C:\\a\tb.Zlv",
        "C:\\a\x7F.Zlv",
        "C:\\\"a\".Zlv",
        "C:\\a<b.Zlv",
        "C:\\a?.Zlv",
        "C:\\a|b.Zlv",
        " C:\\a.Zlv",
        "C:\\a.Zlv ",
    };
    for (const std::string& path : usable)
        EXPECT_TRUE(RecentPathUsable(path)) << path;
    for (const std::string& path : unusable)
        EXPECT_FALSE(RecentPathUsable(path)) << path;
}

TEST(RecentFiles, MostRecentFirstFourAtMostEachFileOnce) {
    struct Case {
        Paths added;  // in the order opened or saved
        const char* removed;
        Paths expected;
    };
    const Case cases[] = {
        {{"C:\\1", "C:\\2", "C:\\3", "C:\\4", "C:\\5"}, nullptr, {"C:\\5", "C:\\4", "C:\\3", "C:\\2"}},
        {{"C:\\a", "C:\\b", "C:\\c", "c:/A"}, nullptr, {"c:/A", "C:\\c", "C:\\b"}},  // up, as now spelt
        {{"C:\\1", "C:\\2", "C:\\3", "C:\\4", "C:\\2"}, nullptr, {"C:\\2", "C:\\4", "C:\\3", "C:\\1"}},
        {{"C:\\a", "", "C:\\a?"}, nullptr, {"C:\\a"}},              // unusable paths change nothing
        {{"C:\\a", "C:\\b", "C:\\c"}, "C:/B", {"C:\\c", "C:\\a"}},  // a file that no longer opens
        {{"C:\\a"}, "C:\\b", {"C:\\a"}},
    };
    for (const Case& c : cases) {
        RecentFiles files;
        for (const std::string& path : c.added)
            EXPECT_EQ(files.add(path), RecentPathUsable(path)) << path;
        size_t before = files.paths().size();
        if (c.removed) {
            EXPECT_EQ(files.remove(c.removed), c.expected.size() < before) << c.removed;
        }
        EXPECT_EQ(files.paths(), c.expected);
    }
}

// rewritten: the text differs from what the list writes, so the program stores the list anew.
TEST(RecentFiles, DamagedIniTextGivesWhatItStillHolds) {
    std::string junk;
    for (int i = 0; i < 2000; i++)
        junk += static_cast<char>((i * 37 + 11) % 256);
    struct Case {
        std::string ini;
        Paths expected;
        bool rewritten;
    };
    const Case cases[] = {
        {"[Recent]\r\nFile1=C:\\a.Zlv\r\nFile2=D:\\R&D\\b=c.Zlv\r\n", {"C:\\a.Zlv", "D:\\R&D\\b=c.Zlv"}, false},
        {"[Recent]\r\n", {}, false},
        {"", {}, true},  // missing
        {"  [ recent ]\n  file1 =  C:\\a \nFILE2=D:\\b", {"C:\\a", "D:\\b"}, true},
        {"\xEF\xBB\xBF[Recent]\rFile1=C:\\a\rFile2=D:\\b\r", {"C:\\a", "D:\\b"}, true},  // Notepad's BOM, CR
        {"[Recent]\r\nFile3=C:\\c\r\nFile1=C:\\a\r\nFile4=C:\\d\r\n", {"C:\\a", "C:\\c", "C:\\d"}, true},
        {"[Recent]\r\nFile1=C:\\a\r\nFile1=C:\\z\r\nFile2=C:\\b\r\nFile3=c:/A\r\n", {"C:\\a", "C:\\b"}, true},
        {"[Recent]\r\nFile1=\r\nFile2=C:\\b\r\nFile3=  \r\nFile4=C:\\" + std::string(300, 'x') + "\r\n",
         {"C:\\b"},
         true},  // empty values, a path too long
        {"[Recent]\r\nFile0=C:\\0\r\nFile5=C:\\5\r\nFiles1=C:\\s\r\n;File1=C:\\c\r\nFile1\r\n", {}, true},
        {"File1=C:\\x\r\n[Other]\r\nFile1=C:\\o\r\n[Recent]\r\nFile2=C:\\b\r\n[Recent\r\nFile3=C:\\y\r\n",
         {"C:\\b"},
         true},  // keys outside the section, one not closed
        {"[Recent]\r\nFile1=\"C:\\My plans\\a.Zlv\"\r\n", {"C:\\My plans\\a.Zlv"}, true},
        {"[Recent]\r\nFile1=C:\\\xE9t\xE9\r\nFile2=C:\\a\0b\r\n"s, {}, true},  // not UTF-8, a NUL
        {junk, {}, true},
    };
    for (const Case& c : cases) {
        RecentFiles files = ParseRecentFiles(c.ini);
        EXPECT_EQ(files.paths(), c.expected) << c.ini;
        EXPECT_EQ(RecentFilesIni(files) != c.ini, c.rewritten) << c.ini;
        EXPECT_EQ(ParseRecentFiles(RecentFilesIni(files)).paths(), files.paths()) << c.ini;
    }
}

TEST(RecentFiles, MenuItemsShowTheNameWithItsNumber) {
    EXPECT_EQ(RecentMenuText(1, "C:\\Plans\\Hall.Zlv"), "&1 Hall.Zlv");
    EXPECT_EQ(RecentMenuText(2, "D:/work/R&D & Co.Zlv"), "&2 R&&D && Co.Zlv");
    EXPECT_EQ(RecentMenuText(3, "C:\\Pl\xC3\xA4ne\\H\xC3\xB6he.Zlv"), "&3 H\xC3\xB6he.Zlv");
    EXPECT_EQ(RecentMenuText(4, "C:\\a/b\\c.Zlv"), "&4 c.Zlv");
    EXPECT_EQ(RecentMenuText(4, "loose.Zlv"), "&4 loose.Zlv");
}
