#include <cstdio>

#include "cli/cli_calculation.h"
#include "cli/cli_commands.h"
#include "cli/result_svg.h"
#include "model/file_io.h"

int SvgCommand(int argc, char** argv) {
    CalcFlags flags;
    std::vector<const char*> files;
    if (!ParseCalcFlags(argc, argv, &flags, &files) || files.size() != 2) {
        fprintf(stderr,
                "usage: zelvora-cli svg FILE.Zlv OUT.svg [--view ad|am] [--quiet]\n"
                "                       [--height-projection K] [--distance-projection D]\n");
        return ExitUsage;
    }
    Drawing source;
    if (!LoadDrawing(files[0], &source))
        return ExitCannotRead;
    CalcResult result;
    double seconds = 0.0;
    if (!CalculateDrawing(source, RunOptions(source.calcOptions, flags), flags.quiet, &result, &seconds))
        return ExitFailure;
    std::string svg = ResultSvg(source, result, flags.adView);
    if (!WriteFileAtomically(files[1], std::vector<uint8_t>(svg.begin(), svg.end()))) {
        fprintf(stderr, "Error to write file\nzelvora-cli: %s: the file cannot be written\n", files[1]);
        return ExitCannotWrite;
    }
    return ExitSuccess;
}
