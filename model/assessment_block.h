// The assessment settings as the second optional block after the last height of a .Zlv file (after the
// georeference when there is one): tag, version, payload length, payload, checksum.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/assessment_settings.h"

void AppendAssessmentBlock(const AssessmentSettings& settings, std::vector<uint8_t>* bytes);

// The settings of the bytes after the last height. Absent, of another version, short, failing its
// checksum or holding values out of range (polygonCount bounds the polygon indices), it reads as no
// settings: a damaged block never costs the drawing.
AssessmentSettings DecodeAssessmentBlock(const uint8_t* bytes, size_t size, int32_t polygonCount);
