// zelvora-cli report: the calculation report of a drawing as a PDF file.
#include <cctype>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "cli/assess_input.h"
#include "cli/cli_calculation.h"
#include "cli/cli_commands.h"
#include "engine/run/calc_records.h"
#include "exchange/import_file.h"
#include "model/file_io.h"
#include "report/report_run.h"

namespace {

const char ReportUsage[] =
    "usage: zelvora-cli report IN.Zlv|IN.dxf|IN.geojson OUT.pdf [--project TEXT] [--author TEXT] [--checker TEXT]\n"
    "                          and the options of assess but its outputs (--json, --csv, --geojson)\n";

bool EndsInPdf(const char* path) {
    size_t length = strlen(path);
    if (length < 4)
        return false;
    std::string tail(path + length - 4);
    for (char& c : tail)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return tail == ".pdf";
}

const char* BaseName(const char* path) {
    const char* name = path;
    for (const char* p = path; *p; ++p)
        if (*p == '/' || *p == '\\')
            name = p + 1;
    return name;
}

// The signature fields given on the command line; each replaces the one the drawing remembers.
struct SignatureOverrides {
    std::optional<std::string> project, author, checker;
};

// Takes the report's own arguments (OUT.pdf, the signature fields) out of argv; the rest are assess's.
bool TakeReportArguments(int argc, char** argv, std::vector<char*>* rest, SignatureOverrides* signatures,
                         const char** output) {
    for (int i = 0; i < argc; ++i) {
        std::optional<std::string>* field = !strcmp(argv[i], "--project")   ? &signatures->project
                                            : !strcmp(argv[i], "--author")  ? &signatures->author
                                            : !strcmp(argv[i], "--checker") ? &signatures->checker
                                                                            : nullptr;
        if (field) {
            if (i + 1 >= argc) {
                fprintf(stderr, "zelvora-cli: %s needs a text\n", argv[i]);
                return false;
            }
            *field = argv[++i];
        } else if (strncmp(argv[i], "--", 2) != 0 && EndsInPdf(argv[i]) && !*output) {
            *output = argv[i];
        } else {
            rest->push_back(argv[i]);
        }
    }
    if (!*output) {
        fprintf(stderr, "zelvora-cli: report needs an output file whose name ends in .pdf\n");
        return false;
    }
    return true;
}

std::string SourceOf(const AssessFlags& flags, const Drawing& drawing) {
    SourceFormat format;
    std::string source = FootprintSourceOf(drawing);
    if (FormatOfPath(flags.input, &format))
        source = std::string(BaseName(flags.input)) + ", " + source;
    return source;
}

}  // namespace

int ReportCommand(int argc, char** argv) {
    std::vector<char*> rest;
    ReportRequest request;
    const char* output = nullptr;
    AssessFlags flags;
    SignatureOverrides given;
    if (!TakeReportArguments(argc, argv, &rest, &given, &output) ||
        !ParseAssessFlags(int(rest.size()), rest.data(), &flags)) {
        fputs(ReportUsage, stderr);
        return ExitUsage;
    }
    if (flags.json || flags.csv || flags.geojson) {
        fprintf(stderr, "zelvora-cli: report writes a PDF; --json, --csv and --geojson are for assess\n");
        fputs(ReportUsage, stderr);
        return ExitUsage;
    }
    Drawing drawing;
    int status = ReadAssessInput(flags, &drawing);
    if (status != ExitSuccess)
        return status;

    request.signatures = drawing.assessment.signatures;
    for (auto [field, value] : {std::pair{&request.signatures.project, &given.project},
                                {&request.signatures.author, &given.author},
                                {&request.signatures.checker, &given.checker}})
        if (*value)
            *field = **value;

    int shownPercent;
    CalcRun watch(ProgressBar(flags.quiet, &shownPercent));
    ReportCalculation calculation;
    {
        StopOnInterrupt interrupt(&watch);
        calculation = CalculateReport(drawing, flags.overrides, flags.threads, &watch);
    }
    ClearProgressBar(flags.quiet);
    // The watch is also the run of the whole drawing's outlines, which may have run out of memory.
    if (watch.stopped() && !watch.outOfMemory) {
        fprintf(stderr, "stopped\n");
        return ExitFailure;
    }
    request.fileName = BaseName(flags.input);
    request.dateTime = ReportDateTime();
    request.footprintSource = SourceOf(flags, drawing);
    std::vector<uint8_t> bytes;
    if (!ReportPdf(drawing, calculation, request, &bytes)) {
        fprintf(stderr, "Error to write file\nzelvora-cli: %s: the PDF cannot be made\n", output);
        return ExitCannotWrite;
    }
    if (!WriteFileAtomically(output, bytes)) {
        fprintf(stderr, "Error to write file\nzelvora-cli: %s: the file cannot be written\n", output);
        return ExitCannotWrite;
    }
    for (const StructureResult& structure : calculation.assessment.structures)
        if (!structure.calculated)
            fprintf(stderr, "zelvora-cli: structure %d (%s) cannot be calculated: %s\n", structure.number,
                    structure.name.c_str(), structure.error.c_str());
    return calculation.assessment.allCalculated() ? ExitSuccess : ExitFailure;
}
