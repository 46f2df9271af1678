// zelvora-cli assess: every structure's areas, location factor and dangerous events.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "assessment/assessment_output.h"
#include "assessment/assessment_table.h"
#include "assessment/line_words.h"
#include "assessment/structure_runs.h"
#include "cli/assess_input.h"
#include "cli/cli_calculation.h"
#include "cli/cli_commands.h"
#include "exchange/import_build.h"
#include "exchange/import_file.h"
#include "model/file_io.h"
#include "options/calc_limits.h"

namespace {

const char AssessUsage[] =
    "usage: zelvora-cli assess IN.Zlv|IN.dxf|IN.geojson [--edition 2|3] [--ng N | --nsg N] [--k K] [--uw KV]\n"
    "                          [--cd auto|0.25|0.5|1|2] [--line SPEC]... [--height-projection K]\n"
    "                          [--distance-projection D] [--json | --csv] [--geojson OUT] [--threads N]\n"
    "                          [--quiet] [--height H] [--level-height L] [--layer NAME]... [--skip-invalid]\n";

bool Refuse(const char* text) {
    fprintf(stderr, "zelvora-cli: %s\n", text);
    return false;
}

// A number above 0 (or at least least, for the projections), named with its range when refused.
bool Number(const char* flag, const char* text, const char* range, double* value, double least = 0.0) {
    char* end = nullptr;
    *value = text ? strtod(text, &end) : NAN;
    bool ok = text && end != text && *end == 0 && std::isfinite(*value) && *value > least;
    if (!ok)
        fprintf(stderr, "zelvora-cli: %s %s: %s\n", flag, text ? text : "(missing)", range);
    return ok;
}

bool ReadCd(const char* text, double* cd) {
    if (text && !strcmp(text, "auto")) {
        *cd = CdFromSurroundings;
        return true;
    }
    char* end = nullptr;
    *cd = text ? strtod(text, &end) : NAN;
    if (text && end != text && *end == 0 && CdValueValid(*cd, false))
        return true;
    fprintf(stderr, "zelvora-cli: --cd %s: auto, 0.25, 0.5, 1 or 2\n", text ? text : "(missing)");
    return false;
}

// Reads one option at argv[*i] (and its value); false after saying what is wrong.
bool ReadOption(int argc, char** argv, int* i, AssessFlags* flags) {
    const char* word = argv[*i];
    const char* value = *i + 1 < argc ? argv[*i + 1] : nullptr;
    AssessOverrides& o = flags->overrides;
    double number = 0.0;
    bool takesValue = true;
    bool ok = true;
    if (!strcmp(word, "--json") || !strcmp(word, "--csv") || !strcmp(word, "--quiet") ||
        !strcmp(word, "--skip-invalid")) {
        takesValue = false;
        flags->json |= !strcmp(word, "--json");
        flags->csv |= !strcmp(word, "--csv");
        flags->quiet |= !strcmp(word, "--quiet");
        flags->skipInvalid |= !strcmp(word, "--skip-invalid");
        flags->importOptions |= !strcmp(word, "--skip-invalid");
    } else if (!strcmp(word, "--edition")) {
        ok = value && (!strcmp(value, "2") || !strcmp(value, "3"));
        if (ok)
            o.edition = atoi(value);
        else
            fprintf(stderr, "zelvora-cli: --edition %s: 2 or 3\n", value ? value : "(missing)");
    } else if (!strcmp(word, "--ng") || !strcmp(word, "--nsg")) {
        ok = Number(word, value, "flashes per km^2 per year, above 0", &number);
        (!strcmp(word, "--ng") ? o.ng : o.nsg) = number;
    } else if (!strcmp(word, "--k")) {
        ok = Number(word, value, "a factor above 0", &number);
        o.k = number;
    } else if (!strcmp(word, "--uw")) {
        ok = Number(word, value, "kV above 0", &number);
        o.uw = number;
    } else if (!strcmp(word, "--cd")) {
        ok = ReadCd(value, &number);
        o.cd = number;
    } else if (!strcmp(word, "--line")) {
        LineSettings line;
        std::string error;
        ok = value && ParseLineSpec(value, &line, &error);
        if (!ok)
            fprintf(stderr, "zelvora-cli: --line %s: %s\n", value ? value : "(missing)", error.c_str());
        if (!o.lines)
            o.lines.emplace();
        o.lines->push_back(line);
        if (ok && o.lines->size() > static_cast<size_t>(MaxLinesPerStructure))
            ok = Refuse("--line: at most 8 lines");
    } else if (!strcmp(word, "--height-projection") || !strcmp(word, "--distance-projection")) {
        bool height = !strcmp(word, "--height-projection");
        ok = Number(word, value, height ? "a factor (at least 1.0 is used)" : "metres (at least 0.01 is used)", &number,
                    -INFINITY);
        if (height)
            o.heightProjection = LimitHeightProjection(number);
        else
            o.distanceProjection = LimitDistanceProjection(number);
    } else if (!strcmp(word, "--geojson")) {
        ok = value != nullptr || Refuse("--geojson needs a file name");
        flags->geojson = value;
    } else if (!strcmp(word, "--threads")) {
        char* end = nullptr;
        long threads = value ? strtol(value, &end, 10) : 0;
        ok = value && end != value && *end == 0 && threads >= 1 && threads <= 1024;
        if (!ok)
            fprintf(stderr, "zelvora-cli: --threads %s: a whole number from 1 to 1024\n", value ? value : "(missing)");
        flags->threads = static_cast<int32_t>(ok ? threads : 0);
    } else if (!strcmp(word, "--height") || !strcmp(word, "--level-height")) {
        ok = Number(word, value, "metres above 0", &number);
        (!strcmp(word, "--height") ? flags->import.defaultHeight : flags->import.levelHeight) = number;
        flags->importOptions = true;
    } else if (!strcmp(word, "--layer")) {
        ok = value != nullptr || Refuse("--layer needs a layer name");
        if (ok)
            flags->import.layers.push_back(value);
        flags->importOptions = true;
    } else {
        return Refuse((std::string("unknown option ") + word).c_str());
    }
    *i += takesValue ? 1 : 0;
    return ok;
}

}  // namespace

bool ParseAssessFlags(int argc, char** argv, AssessFlags* flags) {
    for (int i = 0; i < argc; i++) {
        if (!strncmp(argv[i], "--", 2)) {
            if (!ReadOption(argc, argv, &i, flags))
                return false;
        } else if (flags->input) {
            return Refuse("assess takes one input file");
        } else {
            flags->input = argv[i];
        }
    }
    if (!flags->input)
        return Refuse("assess needs an input file");
    if (flags->json && flags->csv)
        return Refuse("--json and --csv: give one of them");
    if (flags->overrides.ng && flags->overrides.nsg)
        return Refuse("--ng and --nsg: give one of them (NSG is k * NG unless given)");
    if (flags->overrides.nsg && flags->overrides.edition.value_or(3) == 2)
        return Refuse("--nsg: edition 2 uses NG (--ng)");
    return true;
}

// A DXF or GeoJSON input becomes a drawing in memory, as import would write it; nothing is written.
int ReadAssessInput(const AssessFlags& flags, Drawing* target) {
    SourceFormat format;
    if (!FormatOfPath(flags.input, &format)) {
        if (flags.importOptions) {
            Refuse("--height, --level-height, --layer and --skip-invalid are for DXF or GeoJSON input");
            return ExitUsage;
        }
        return LoadDrawing(flags.input, target) ? ExitSuccess : ExitCannotRead;
    }
    ImportSource source;
    std::string message;
    if (ReadImportFile(flags.input, &source, &message) != ImportFileError::None) {
        fprintf(stderr, "Error to opening file\nzelvora-cli: %s: %s\n", flags.input, message.c_str());
        return ExitCannotRead;
    }
    if (flags.import.defaultHeight <= 0.0 && NeedsDefaultHeight(source, flags.import)) {
        fprintf(stderr, "zelvora-cli: %s: some footprints have no height of their own: give one with --height H\n",
                flags.input);
        return ExitCannotRead;
    }
    ImportResult result = BuildImport(source, flags.import);
    if (!result.refusal.empty()) {
        fprintf(stderr, "zelvora-cli: %s: %s\n", flags.input, result.refusal.c_str());
        return ExitCannotRead;
    }
    fputs(ImportFailuresText(result).c_str(), stderr);
    if (ApplyImport(result, flags.skipInvalid, target) != ApplyOutcome::Applied) {
        fprintf(stderr,
                "zelvora-cli: %s: footprints fail their checks; nothing assessed (--skip-invalid takes the rest)\n",
                flags.input);
        return ExitCannotRead;
    }
    return ExitSuccess;
}

int AssessCommand(int argc, char** argv) {
    AssessFlags flags;
    if (!ParseAssessFlags(argc, argv, &flags)) {
        fputs(AssessUsage, stderr);
        return ExitUsage;
    }
    Drawing source;
    int status = ReadAssessInput(flags, &source);
    if (status != ExitSuccess)
        return status;
    int shownPercent;
    CalcRun watch(ProgressBar(flags.quiet, &shownPercent));
    AssessmentResult result;
    {
        StopOnInterrupt interrupt(&watch);
        result = AssessDrawing(source, flags.overrides, flags.threads, &watch);
    }
    ClearProgressBar(flags.quiet);
    if (watch.stopped()) {
        fprintf(stderr, "stopped\n");
        return ExitFailure;
    }
    if (flags.geojson) {
        std::string text;
        if (!AssessmentGeoJson(source, result, &text)) {
            fprintf(stderr, "Error to write file\nzelvora-cli: %s: a footprint cannot be written\n", flags.geojson);
            return ExitCannotWrite;
        }
        if (!WriteFileAtomically(flags.geojson, std::vector<uint8_t>(text.begin(), text.end()))) {
            fprintf(stderr, "Error to write file\nzelvora-cli: %s: the file cannot be written\n", flags.geojson);
            return ExitCannotWrite;
        }
    }
    std::string text = flags.json ? AssessmentJson(result) : flags.csv ? AssessmentCsv(result) : AssessmentText(result);
    fwrite(text.data(), 1, text.size(), stdout);
    for (const StructureResult& structure : result.structures)
        if (!structure.calculated)
            fprintf(stderr, "zelvora-cli: structure %d (%s) cannot be calculated: %s\n", structure.number,
                    structure.name.c_str(), structure.error.c_str());
    return result.allCalculated() ? ExitSuccess : ExitFailure;
}
