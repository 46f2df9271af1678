// Tests of the recent files: which paths are the same file, which are worth listing, the order of the
// list, reading damaged INI text and the File menu items.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/recent_files.h"

namespace {

using Paths = std::vector<std::string>;
using namespace std::string_literals;

RecentFiles Listed(const Paths& mostRecentLast) {
    RecentFiles files;
    for (const std::string& path : mostRecentLast)
        files.add(path);
    return files;
}

}  // namespace

TEST(RecentFiles, PathsCompareAsWindowsComparesThem) {
    struct Case {
        const char* a;
        const char* b;
        bool same;
    };
    const Case cases[] = {
        {"C:\\Plans\\Hall.Zlv", "c:/plans/HALL.zlv", true},
        {"\\\\server\\share\\a.Zlv", "//SERVER/share/A.ZLV", true},
        {"C:\\a.Zlv", "C:\\b.Zlv", false},
        {"C:\\a.Zlv", "C:\\a.Zlv.bak", false},
        {"C:\\a\\b.Zlv", "C:\\a\\\\b.Zlv", false},
        {"C:\\\xC3\x84.Zlv", "C:\\\xC3\xA4.Zlv", false},  // beyond ASCII the bytes decide
        {"C:\\[a].Zlv", "C:\\{a}.Zlv", false},            // neighbours of the letters in the code table
        {"C:\\@.Zlv", "C:\\`.Zlv", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SamePath(c.a, c.b), c.same) << c.a << " and " << c.b;
        EXPECT_EQ(SamePath(c.b, c.a), c.same) << c.b << " and " << c.a;
    }
}

TEST(RecentFiles, OnlyPathsADrawingCanHaveAreListed) {
    struct Case {
        std::string path;
        bool usable;
    };
    const Case cases[] = {
        {"C:\\Plans\\Hall.Zlv", true},
        {"C:\\Projekte\\H\xC3\xB6he & Dach.Zlv", true},
        {"C:\\\xE6\xA5\xBC\\\xF0\x9F\x8F\xA0.Zlv", true},
        {"C:\\" + std::string(255, 'a'), true},  // 258 bytes
        {"C:\\" + std::string(256, 'a'), true},  // 259 bytes, the longest a file name holds
        {"C:\\" + std::string(257, 'a'), false},
        {"", false},
        {"C:\\\xC3(.Zlv", false},          // a lead byte without its continuation
        {"C:\\\xC0\xAF.Zlv", false},       // an overlong slash
        {"C:\\\xE0\x80\xAF.Zlv", false},   // the same in three bytes
        {"C:\\\xF0\x8F\xBF\xBF.Zlv", false},  // U+FFFF in four bytes
        {"C:\\\xED\xA0\x80.Zlv", false},   // a surrogate half
        {"C:\\\xF4\x90\x80\x80.Zlv", false},  // beyond U+10FFFF
        {"C:\\a.Zlv\xE2\x82", false},      // cut short at the end
        {"C:\\\xFF.Zlv", false},
        {"C:\\a\tb.Zlv", false},
        {"C:\\a\rb.Zlv", false},
        {"C:\\a\x7F.Zlv", false},
        {"C:\\\"a\".Zlv", false},
        {"C:\\a<b.Zlv", false},
        {"C:\\a?.Zlv", false},
        {"C:\\a*.Zlv", false},
        {"C:\\a|b.Zlv", false},
        {" C:\\a.Zlv", false},
        {"C:\\a.Zlv ", false},
        {"C:\\a b.Zlv", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RecentPathUsable(c.path), c.usable) << c.path;
}

TEST(RecentFiles, MostRecentFirstFourAtMostEachFileOnce) {
    struct Case {
        const char* what;
        Paths added;  // in the order opened or saved
        const char* removed;
        Paths expected;
        bool wasListed = false;
    };
    const Case cases[] = {
        {"newest on top", {"C:\\a.Zlv", "C:\\b.Zlv"}, nullptr, {"C:\\b.Zlv", "C:\\a.Zlv"}},
        {"the fifth drops the oldest",
         {"C:\\1.Zlv", "C:\\2.Zlv", "C:\\3.Zlv", "C:\\4.Zlv", "C:\\5.Zlv"},
         nullptr,
         {"C:\\5.Zlv", "C:\\4.Zlv", "C:\\3.Zlv", "C:\\2.Zlv"}},
        {"opened again moves up under its new spelling",
         {"C:\\a.Zlv", "C:\\b.Zlv", "C:\\c.Zlv", "c:/A.zlv"},
         nullptr,
         {"c:/A.zlv", "C:\\c.Zlv", "C:\\b.Zlv"}},
        {"a file listed again keeps the oldest",
         {"C:\\1.Zlv", "C:\\2.Zlv", "C:\\3.Zlv", "C:\\4.Zlv", "C:\\2.Zlv"},
         nullptr,
         {"C:\\2.Zlv", "C:\\4.Zlv", "C:\\3.Zlv", "C:\\1.Zlv"}},
        {"an unusable path changes nothing", {"C:\\a.Zlv", "", "C:\\a?.Zlv"}, nullptr, {"C:\\a.Zlv"}},
        {"a file that no longer opens goes",
         {"C:\\a.Zlv", "C:\\b.Zlv", "C:\\c.Zlv"},
         "C:/B.zlv",
         {"C:\\c.Zlv", "C:\\a.Zlv"},
         true},
        {"removing a file not listed changes nothing", {"C:\\a.Zlv"}, "C:\\b.Zlv", {"C:\\a.Zlv"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RecentFiles files = Listed(c.added);
        if (c.removed) {
            EXPECT_EQ(files.remove(c.removed), c.wasListed);
        }
        EXPECT_EQ(files.paths(), c.expected);
    }
    RecentFiles files;
    EXPECT_TRUE(files.add("C:\\a.Zlv"));
    EXPECT_FALSE(files.add("C:\\a\x01.Zlv"));
    EXPECT_TRUE(files.remove("c:\\A.ZLV"));
    EXPECT_FALSE(files.remove("C:\\a.Zlv"));
}

// rewritten: the text differs from what the list writes, so the program stores the list anew.
TEST(RecentFiles, DamagedIniTextGivesWhatItStillHolds) {
    const std::string longPath = "C:\\" + std::string(300, 'x') + ".Zlv";
    std::string junk;
    for (int i = 0; i < 2000; i++)
        junk += static_cast<char>((i * 37 + 11) % 256);
    struct Case {
        const char* what;
        std::string ini;
        Paths expected;
        bool rewritten;
    };
    const Case cases[] = {
        {"as the program writes it", "[Recent]\r\nFile1=C:\\a.Zlv\r\nFile2=D:\\b.Zlv\r\n", {"C:\\a.Zlv", "D:\\b.Zlv"},
         false},
        {"an empty list as the program writes it", "[Recent]\r\n", {}, false},
        {"missing", "", {}, true},
        {"line feeds, spaces and other cases", "  [ recent ]\n  file1 =  C:\\a.Zlv \nFILE2=D:\\b.Zlv",
         {"C:\\a.Zlv", "D:\\b.Zlv"}, true},
        {"carriage returns alone", "[Recent]\rFile1=C:\\a.Zlv\rFile2=D:\\b.Zlv\r", {"C:\\a.Zlv", "D:\\b.Zlv"}, true},
        {"a byte order mark", "\xEF\xBB\xBF[Recent]\r\nFile1=C:\\a.Zlv\r\n", {"C:\\a.Zlv"}, true},
        {"keys out of order", "[Recent]\r\nFile3=C:\\c.Zlv\r\nFile1=C:\\a.Zlv\r\n", {"C:\\a.Zlv", "C:\\c.Zlv"}, true},
        {"a key missing", "[Recent]\r\nFile1=C:\\a.Zlv\r\nFile3=C:\\c.Zlv\r\nFile4=C:\\d.Zlv\r\n",
         {"C:\\a.Zlv", "C:\\c.Zlv", "C:\\d.Zlv"}, true},
        {"a key twice", "[Recent]\r\nFile1=C:\\a.Zlv\r\nFile1=C:\\z.Zlv\r\nFile2=C:\\b.Zlv\r\n",
         {"C:\\a.Zlv", "C:\\b.Zlv"}, true},
        {"a file twice", "[Recent]\r\nFile1=C:\\a.Zlv\r\nFile2=C:\\b.Zlv\r\nFile3=c:/A.ZLV\r\n",
         {"C:\\a.Zlv", "C:\\b.Zlv"}, true},
        {"empty values", "[Recent]\r\nFile1=\r\nFile2=C:\\b.Zlv\r\nFile3=  \r\n", {"C:\\b.Zlv"}, true},
        {"a path too long", "[Recent]\r\nFile1=" + longPath + "\r\nFile2=C:\\b.Zlv\r\n", {"C:\\b.Zlv"}, true},
        {"keys of no slot",
         "[Recent]\r\nFile0=C:\\0.Zlv\r\nFile5=C:\\5.Zlv\r\nFile10=C:\\x.Zlv\r\nFiles1=C:\\s.Zlv\r\n",
         {}, true},
        {"keys outside the section",
         "File1=C:\\before.Zlv\r\n[Other]\r\nFile1=C:\\other.Zlv\r\n[Recent]\r\nFile2=C:\\b.Zlv\r\n[After]\r\n"
         "File3=C:\\after.Zlv\r\n",
         {"C:\\b.Zlv"}, true},
        {"a section not closed", "[Recent\r\nFile1=C:\\a.Zlv\r\n", {}, true},
        {"comments and lines without a value", "[Recent]\r\n;File1=C:\\x.Zlv\r\nFile1\r\n#\r\nFile2=C:\\b.Zlv\r\n",
         {"C:\\b.Zlv"}, true},
        {"a quoted value", "[Recent]\r\nFile1=\"C:\\My plans\\a.Zlv\"\r\n", {"C:\\My plans\\a.Zlv"}, true},
        {"a value with = in it", "[Recent]\r\nFile1=C:\\a=b.Zlv\r\n", {"C:\\a=b.Zlv"}, false},
        {"not UTF-8", "[Recent]\r\nFile1=C:\\\xE9t\xE9.Zlv\r\nFile2=C:\\b.Zlv\r\n", {"C:\\b.Zlv"}, true},
        {"a NUL in a value", "[Recent]\r\nFile1=C:\\a\0b.Zlv\r\n"s, {}, true},
        {"binary junk", junk, {}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RecentFiles files = ParseRecentFiles(c.ini);
        EXPECT_EQ(files.paths(), c.expected);
        EXPECT_EQ(RecentFilesIni(files) != c.ini, c.rewritten);
    }
}

TEST(RecentFiles, WrittenTextReadsBackAsTheSameList) {
    RecentFiles files = Listed({"D:\\R&D\\a.Zlv", "C:\\Pl\xC3\xA4ne\\H\xC3\xB6he.Zlv", "\\\\nas\\x y\\b.Zlv"});
    EXPECT_EQ(RecentFilesIni(files),
              "[Recent]\r\nFile1=\\\\nas\\x y\\b.Zlv\r\n"
              "File2=C:\\Pl\xC3\xA4ne\\H\xC3\xB6he.Zlv\r\nFile3=D:\\R&D\\a.Zlv\r\n");
    EXPECT_EQ(ParseRecentFiles(RecentFilesIni(files)).paths(), files.paths());
}

TEST(RecentFiles, MenuItemsShowTheNameWithItsNumber) {
    struct Case {
        int32_t position;
        const char* path;
        const char* text;
    };
    const Case cases[] = {
        {1, "C:\\Plans\\Hall.Zlv", "&1 Hall.Zlv"},
        {2, "D:/work/R&D & Co.Zlv", "&2 R&&D && Co.Zlv"},
        {3, "C:\\Pl\xC3\xA4ne\\H\xC3\xB6he.Zlv", "&3 H\xC3\xB6he.Zlv"},
        {4, "loose.Zlv", "&4 loose.Zlv"},
        {4, "C:\\a/b\\c.Zlv", "&4 c.Zlv"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RecentMenuText(c.position, c.path), c.text) << c.path;
}
