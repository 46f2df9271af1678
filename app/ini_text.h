// The settings file's text as Windows' own INI reader sees it: sections of key = value lines.
#pragma once

#include <string>
#include <vector>

struct IniEntry {
    std::string section, key, value;  // trimmed; value out of one pair of double quotes
};

// Every key = value line in order, with the section it is under. Lines end at CR, LF or both; a UTF-8
// byte order mark, as Notepad writes it, is passed over; a line without = is passed over.
std::vector<IniEntry> IniEntries(const std::string& ini);

// Section and key names compare without regard to ASCII case, as Windows' reader does.
bool SameIniName(const std::string& name, const char* wanted);
