// The drawing-wide values of the assessment as a dialog shows and reads them: which fields apply to
// an edition, their ranges, and what storing them changes.
#pragma once

#include <cstdint>
#include <string>

#include "model/assessment_settings.h"
#include "text/number_field.h"

// A blank NG or NSG means "not given" (no events); k and UW always need a value.
constexpr NumberRange NgRange = {"NG [1/km²/year]", 0.0, 100.0};
constexpr NumberRange NsgRange = {"NSG [1/km²/year]", 0.0, 200.0};
constexpr NumberRange KRange = {"k [-]", 0.1, 10.0};
constexpr NumberRange UwRange = {"UW [kV]", 0.1, 100.0};

enum class AssessmentField { Ng, Nsg, K, Uw, Count };

// Edition 2 takes NG alone; edition 3 takes NSG, or NG with k, and UW.
bool AssessmentFieldApplies(int32_t edition, AssessmentField field);
const NumberRange& AssessmentFieldRange(AssessmentField field);

struct AssessmentTexts {
    int32_t edition = 2;
    std::string texts[static_cast<int>(AssessmentField::Count)];
};

// The stored values as the fields show them: a value not given is blank.
AssessmentTexts AssessmentTextsOf(const AssessmentSettings& settings);

// Reads the fields that apply to the chosen edition into values; the others keep what values held.
// False, with the refused field and values untouched, when a text is not a number of its range.
bool ReadAssessmentTexts(const AssessmentTexts& typed, AssessmentSettings* values, AssessmentField* refused);

// Takes the drawing-wide values of read into target; true when any of them differs.
bool StoreAssessmentValues(AssessmentSettings* target, const AssessmentSettings& read);

// A number as a field shows it: as short as it reads back exactly, blank for a value not given.
std::string FieldText(double value, bool blankWhenZero);
// A field's number, where a blank text (spaces only) gives 0 when blankAllowed.
bool ReadField(const std::string& text, const NumberRange& range, bool blankAllowed, double* value);
