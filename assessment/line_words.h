// The words that name a line's kind, installation and environment in command lines and output, and the
// text form of a whole line: kind:installation:length[:environment[:transformer[:uw[:LxWxH[:cdj]]]]].
#pragma once

#include <string>

#include "model/assessment_settings.h"

const char* LineKindWord(LineKind kind);                          // power, telecom
const char* LineInstallationWord(LineInstallation installation);  // aerial, buried, meshed
const char* LineEnvironmentWord(LineEnvironment environment);     // rural, suburban, urban, urban-tall

// Reads a line; false with the part that is wrong and its range in error. The environment defaults to
// rural, the transformer to no, UW to the kind's default, and without LxWxH there is no adjacent
// structure (its CDJ defaults to 1).
bool ParseLineSpec(const std::string& text, LineSettings* line, std::string* error);

// A line in the same form, every part written out (UW as in force), so that it reads back to the same results.
std::string LineSpecText(const LineSettings& line);
