#include <cstdio>
#include <cstring>
#include <vector>

#include "cli/cli_calculation.h"
#include "cli/cli_commands.h"
#include "model/drawing_options.h"
#include "options/simplified_areas.h"

// The closed form of the Simplified calculation dialog, with the same rules for its four values.
int SimpleCommand(int argc, char** argv) {
    CalcFlags flags;
    std::vector<const char*> values;
    if (!ParseCalcFlags(argc, argv, &flags, &values) || values.size() != 4) {
        fprintf(stderr, "usage: zelvora-cli simple L W HMIN HMAX [--height-projection K] [--distance-projection D]\n");
        return ExitUsage;
    }
    // The command line gives the length first, the dialog the width.
    const char* texts[SimplifiedFieldCount] = {values[1], values[0], values[2], values[3]};
    SimplifiedInput input;
    Refusal refusal;
    if (!ReadSimplifiedFields(texts, &input, &refusal)) {
        fprintf(stderr, "%s\n", refusal.message.c_str());
        return ExitFailure;
    }
    CalcOptions options = RunOptions(CalcOptions(), flags);
    SimplifiedResult result = SimplifiedAreas(input.length, input.width, input.minHeight, input.maxHeight,
                                              options.heightProjection, options.distanceProjection);
    printf("Ad [km^2]: %.5e\nAm [km^2]: %.5e\n", result.ad, result.am);
    return ExitSuccess;
}
