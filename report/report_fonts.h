// The fonts the report is set in. They are built into every program that writes or prints a report, so
// that a report looks the same on any machine: DejaVu Sans (regular and bold) for Latin, Greek and
// Cyrillic, and Droid Sans Fallback for the Chinese, Japanese and Korean characters DejaVu lacks.
#pragma once

#include <cstddef>

struct FontBytes {
    const unsigned char* data;
    size_t size;
};

enum class ReportFace { regular, bold, fallback };

FontBytes ReportFontBytes(ReportFace face);
