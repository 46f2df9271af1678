// The version resources of the two programs as built: what Windows shows in a file's Properties, in
// Task Manager and in the "Open with" list, and what an installer or IT inventory reads.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Program {
    const char* path;
    const char* description;
    const char* fileName;
};

const Program Programs[] = {
    {ZELVORA_PROGRAM, "Zelvora", "Zelvora.exe"},
    {ZELVORA_CLI, "Zelvora command line", "zelvora-cli.exe"},
};

std::vector<char> VersionBlock(const char* path) {
    DWORD size = GetFileVersionInfoSizeA(path, nullptr);
    std::vector<char> block(size);
    if (size == 0 || !GetFileVersionInfoA(path, 0, size, block.data()))
        block.clear();
    return block;
}

// A string of the US English, UTF-16 table, or "(none)".
std::string VersionString(std::vector<char>& block, const char* name) {
    std::string key = std::string("\\StringFileInfo\\040904b0\\") + name;
    char* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), key.c_str(), reinterpret_cast<void**>(&value), &length) || !value)
        return "(none)";
    return value;
}

std::string Dotted(DWORD high, DWORD low) {
    return std::to_string(HIWORD(high)) + "." + std::to_string(LOWORD(high)) + "." + std::to_string(HIWORD(low)) + "." +
           std::to_string(LOWORD(low));
}

}  // namespace

TEST(VersionResource, BothProgramsCarryTheProjectVersion) {
    for (const Program& program : Programs) {
        SCOPED_TRACE(program.path);
        std::vector<char> block = VersionBlock(program.path);
        ASSERT_FALSE(block.empty()) << "no version resource";
        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
        ASSERT_EQ(fixed->dwSignature, 0xFEEF04BDu);
        EXPECT_EQ(Dotted(fixed->dwFileVersionMS, fixed->dwFileVersionLS), ZELVORA_PROJECT_VERSION ".0");
        EXPECT_EQ(Dotted(fixed->dwProductVersionMS, fixed->dwProductVersionLS), ZELVORA_PROJECT_VERSION ".0");
        EXPECT_EQ(fixed->dwFileFlags & VS_FF_DEBUG, 0u);
        EXPECT_EQ(VersionString(block, "FileVersion"), ZELVORA_PROJECT_VERSION);
        EXPECT_EQ(VersionString(block, "ProductVersion"), ZELVORA_PROJECT_VERSION);
    }
}

TEST(VersionResource, NamesAndLicenceAreThoseOfEachProgram) {
    for (const Program& program : Programs) {
        SCOPED_TRACE(program.path);
        std::vector<char> block = VersionBlock(program.path);
        ASSERT_FALSE(block.empty()) << "no version resource";
        EXPECT_EQ(VersionString(block, "FileDescription"), program.description);
        EXPECT_EQ(VersionString(block, "OriginalFilename"), program.fileName);
        EXPECT_EQ(VersionString(block, "ProductName"), "Zelvora");
        EXPECT_EQ(VersionString(block, "CompanyName"), "The Zelvora project");
        std::string copyright = VersionString(block, "LegalCopyright");
        EXPECT_NE(copyright.find("GNU General Public License, version 2 or later"), std::string::npos) << copyright;
    }
}
