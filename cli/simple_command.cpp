#include <cstdio>
#include <cstring>
#include <string>
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
    double numbers[4];
    bool valid = true;
    for (int i = 0; i < 4; i++) {
        std::string text = values[i];
        valid = ReadSimplifiedField(text.data(), i == 3, &numbers[i]) && valid;
    }
    if (!valid) {
        fprintf(stderr, "Invalid Data\n");
        return ExitFailure;
    }
    CalcOptions options = RunOptions(CalcOptions(), flags);
    SimplifiedResult result = SimplifiedAreas(numbers[0], numbers[1], numbers[2], numbers[3], options.heightProjection,
                                              options.distanceProjection);
    printf("Ad [km^2]: %.5e\nAm [km^2]: %.5e\n", result.ad, result.am);
    return ExitSuccess;
}
