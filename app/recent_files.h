// The last drawings opened or saved, listed at the end of the File menu and kept between runs as an
// INI text. Where that text is stored is the window's business; these are the rules.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

constexpr int32_t RecentFileLimit = 4;

// Whether two paths name the same file as Windows compares them: ASCII letters in either case, and
// / and \ alike.
bool SamePath(const std::string& a, const std::string& b);

// A path worth listing: not empty, short enough to be a drawing's file name (under 260 bytes), UTF-8,
// with no control character, none of the characters Windows refuses in a path (" < > | ? *) and no
// space at either end.
bool RecentPathUsable(const std::string& path);

// Most recent first, each file once.
class RecentFiles {
  public:
    const std::vector<std::string>& paths() const { return list; }

    // A drawing opened or saved goes to the top, under the spelling just used; one listed before
    // under any spelling moves up, and the fifth drops off. False for a path not worth listing.
    bool add(const std::string& path);

    // A listed file that no longer opens leaves the list. False when it was not listed.
    bool remove(const std::string& path);

  private:
    std::vector<std::string> list;
};

extern RecentFiles recentFiles;

// The list an INI text holds: keys File1 to File4 of its [Recent] section. What cannot be read is
// passed over (other sections and keys, comments, a repeated key after its first, an unusable path, a
// file listed twice), so that damaged text gives what it still holds and junk gives an empty list.
RecentFiles ParseRecentFiles(const std::string& ini);

// The INI text of the list, with CR LF line ends. A stored text that differs from the text of what
// was read from it (damaged, or missing) is to be written anew.
std::string RecentFilesIni(const RecentFiles& files);

// The File menu item of the file at position 1 to 4: "&1 name.Zlv", the name without its folder and
// with each & doubled so that it shows instead of underlining the next letter.
std::string RecentMenuText(int32_t position, const std::string& path);
