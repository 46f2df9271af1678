#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "cli/cli_commands.h"
#include "exchange/import_build.h"
#include "exchange/import_file.h"
#include "model/drawing_file.h"
#include "model/height_limit.h"

namespace {

const char ImportUsage[] =
    "usage: zelvora-cli import IN.dxf|IN.geojson|IN.json OUT.Zlv [--height H] [--level-height L]\n"
    "                          [--layer NAME]... [--skip-invalid] [--units UNIT]\n";

struct ImportFlags {
    ImportSettings settings;
    bool skipInvalid = false;
    const DxfUnit* unit = nullptr;  // the DXF drawing's unit when the user names it
    std::vector<const char*> files;
};

bool PositiveNumber(const char* flag, const char* text, double* value) {
    char* end = nullptr;
    *value = text ? strtod(text, &end) : 0.0;
    if (!text || end == text || *end != 0 || !std::isfinite(*value) || *value <= 0.0) {
        fprintf(stderr, "zelvora-cli: %s needs a number above 0\n", flag);
        return false;
    }
    return true;
}

bool ParseImportFlags(int argc, char** argv, ImportFlags* flags) {
    for (int i = 0; i < argc; i++) {
        const char* word = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        if (!strcmp(word, "--skip-invalid")) {
            flags->skipInvalid = true;
        } else if (!strcmp(word, "--height")) {
            if (!PositiveNumber(word, value, &flags->settings.defaultHeight))
                return false;
            if (flags->settings.defaultHeight > MaxVertexHeight) {
                fprintf(stderr, "zelvora-cli: --height is at most %.0f m\n", MaxVertexHeight);
                return false;
            }
            i++;
        } else if (!strcmp(word, "--level-height")) {
            if (!PositiveNumber(word, value, &flags->settings.levelHeight))
                return false;
            i++;
        } else if (!strcmp(word, "--units")) {
            if (!value || !(flags->unit = DxfUnitNamed(value))) {
                fprintf(stderr, "zelvora-cli: --units needs one of %s\n", DxfUnitChoices().c_str());
                return false;
            }
            i++;
        } else if (!strcmp(word, "--layer")) {
            if (!value) {
                fprintf(stderr, "zelvora-cli: --layer needs a layer name\n");
                return false;
            }
            flags->settings.layers.push_back(value);
            i++;
        } else if (word[0] == '-' && word[1] == '-') {
            fprintf(stderr, "zelvora-cli: unknown option %s\n", word);
            return false;
        } else {
            flags->files.push_back(word);
        }
    }
    return flags->files.size() == 2;
}

}  // namespace

// Reads footprints from a DXF or GeoJSON file and writes them as a new drawing; nothing is written
// unless every footprint passed its checks or --skip-invalid was given.
int ImportCommand(int argc, char** argv) {
    ImportFlags flags;
    if (!ParseImportFlags(argc, argv, &flags)) {
        fputs(ImportUsage, stderr);
        return ExitUsage;
    }
    const char* in = flags.files[0];
    const char* out = flags.files[1];
    ImportSource source;
    std::string message;
    ImportFileError readError = ReadImportFile(in, &source, &message, flags.unit);
    if (readError != ImportFileError::None) {
        fprintf(stderr, "Error to opening file\nzelvora-cli: %s: %s\n", in, message.c_str());
        if (readError == ImportFileError::UnknownUnit)
            fprintf(stderr, "zelvora-cli: say it with --units %s\n", DxfUnitChoices().c_str());
        return ExitCannotRead;
    }
    if (flags.settings.defaultHeight <= 0.0 && NeedsDefaultHeight(source, flags.settings)) {
        fprintf(stderr, "zelvora-cli: %s: some footprints have no height of their own: give one with --height H\n", in);
        return ExitCannotRead;
    }
    ImportResult result = BuildImport(source, flags.settings);
    if (!result.refusal.empty()) {
        fprintf(stderr, "zelvora-cli: %s: %s\n", in, result.refusal.c_str());
        return ExitCannotRead;
    }
    fputs(ImportFailuresText(result).c_str(), stderr);
    Drawing imported;
    switch (ApplyImport(result, flags.skipInvalid, &imported)) {
        case ApplyOutcome::Applied: break;
        case ApplyOutcome::HasFailures:
            fprintf(stderr,
                    "zelvora-cli: %s: %d footprints fail their checks; nothing imported (--skip-invalid imports "
                    "the rest)\n",
                    in, static_cast<int>(result.failures.size()));
            return ExitCannotRead;
        case ApplyOutcome::Refused:
            fprintf(stderr, "zelvora-cli: %s: no footprint passed its checks\n", in);
            return ExitCannotRead;
    }
    FileError error = WriteDrawingFile(out, imported);
    if (error != FileError::None) {
        fprintf(stderr, "Error to write file\nzelvora-cli: %s: %s\n", out, FileErrorText(error));
        return ExitCannotWrite;
    }
    fputs(ImportSummary(result).c_str(), stdout);
    char size[32];
    printf("map size [m]: %s\n", ShortestText(imported.drawOptions.mapSize, size));
    return ExitSuccess;
}
