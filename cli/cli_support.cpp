#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "cli/cli_commands.h"
#include "model/drawing_file.h"

bool LoadDrawing(const char* path, Drawing* target, uint8_t* format) {
    FileError error = ReadDrawingFile(path, target, format);
    if (error == FileError::None)
        return true;
    fprintf(stderr, "Error to opening file\nzelvora-cli: %s: %s\n", path, FileErrorText(error));
    return false;
}

// Plain decimals for the values a drawing usually holds (100, 0.5, 12.25), exponents only when a
// plain text would be long.
const char* ShortestText(double value, char (&buffer)[32]) {
    double magnitude = fabs(value);
    if (value == 0.0 || (magnitude >= 1e-4 && magnitude < 1e15)) {
        for (int decimals = 0; decimals <= 17; decimals++) {
            snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
            if (strtod(buffer, nullptr) == value)
                return buffer;
        }
    }
    for (int precision = 1; precision <= 17; precision++) {
        snprintf(buffer, sizeof buffer, "%.*g", precision, value);
        if (strtod(buffer, nullptr) == value)
            break;
    }
    return buffer;
}
