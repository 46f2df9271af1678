// The input and options of assess, shared with the commands that build on an assessment (report).
#pragma once

#include <cstdint>

#include "assessment/assessment_records.h"
#include "exchange/import_build.h"
#include "model/drawing.h"

struct AssessFlags {
    AssessOverrides overrides;
    ImportSettings import;
    bool importOptions = false;
    bool skipInvalid = false;
    bool json = false;
    bool csv = false;
    bool quiet = false;
    const char* geojson = nullptr;
    int32_t threads = 0;
    const char* input = nullptr;
};

// Reads the options and the one input file; false after saying on standard error what is wrong.
bool ParseAssessFlags(int argc, char** argv, AssessFlags* flags);

// The drawing of the input: a .Zlv file, or a DXF or GeoJSON file imported in memory. An exit status.
int ReadAssessInput(const AssessFlags& flags, Drawing* target);
