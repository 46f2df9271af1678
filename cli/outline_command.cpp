#include <cstdio>
#include <cstring>

#include "cli/cli_calculation.h"
#include "cli/cli_commands.h"
#include "exchange/import_file.h"
#include "exchange/outline_export.h"

namespace {

const char OutlineUsage[] =
    "usage: zelvora-cli outline IN.Zlv OUT.dxf|OUT.geojson|OUT.json [--view ad|am|both] [--quiet]\n";

bool ParseOutlineFlags(int argc, char** argv, OutlineView* view, bool* quiet, std::vector<const char*>* files) {
    for (int i = 0; i < argc; i++) {
        const char* word = argv[i];
        if (!strcmp(word, "--quiet")) {
            *quiet = true;
        } else if (!strcmp(word, "--view")) {
            const char* value = i + 1 < argc ? argv[++i] : "";
            if (!strcmp(value, "ad"))
                *view = OutlineView::Ad;
            else if (!strcmp(value, "am"))
                *view = OutlineView::Am;
            else if (!strcmp(value, "both"))
                *view = OutlineView::Both;
            else {
                fprintf(stderr, "zelvora-cli: --view needs ad, am or both\n");
                return false;
            }
        } else if (word[0] == '-' && word[1] == '-') {
            fprintf(stderr, "zelvora-cli: unknown option %s\n", word);
            return false;
        } else {
            files->push_back(word);
        }
    }
    SourceFormat format;
    if (files->size() == 2 && !FormatOfPath((*files)[1], &format)) {
        fprintf(stderr, "zelvora-cli: %s: the output's name must end in .dxf, .geojson or .json\n", (*files)[1]);
        return false;
    }
    return files->size() == 2;
}

}  // namespace

// Calculates a drawing and writes its outlines and footprint for CAD or GIS, in the coordinates of the
// file it was imported from.
int OutlineCommand(int argc, char** argv) {
    OutlineView view = OutlineView::Both;
    bool quiet = false;
    std::vector<const char*> files;
    if (!ParseOutlineFlags(argc, argv, &view, &quiet, &files)) {
        fputs(OutlineUsage, stderr);
        return ExitUsage;
    }
    Drawing source;
    if (!LoadDrawing(files[0], &source))
        return ExitCannotRead;
    CalcResult result;
    double seconds = 0.0;
    if (!CalculateDrawing(source, source.calcOptions, quiet, &result, &seconds))
        return ExitFailure;
    ExportError error = WriteOutlineFile(files[1], source, result, view);
    if (error == ExportError::CannotWrite) {
        fprintf(stderr, "Error to write file\nzelvora-cli: %s: %s\n", files[1], ExportErrorText(error));
        return ExitCannotWrite;
    }
    if (error != ExportError::None) {
        fprintf(stderr, "zelvora-cli: %s: %s\n", files[1], ExportErrorText(error));
        return ExitFailure;
    }
    char text[32];
    if (view != OutlineView::Am)
        printf("ad [km^2]: %s\n", ShortestText(result.ad, text));
    if (view != OutlineView::Ad)
        printf("am [km^2]: %s\n", ShortestText(result.am, text));
    return ExitSuccess;
}
