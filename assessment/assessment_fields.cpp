#include "assessment/assessment_fields.h"

#include <cstdio>

namespace {

const NumberRange* const Ranges[] = {&NgRange, &NsgRange, &KRange, &UwRange};

int Index(AssessmentField field) {
    return static_cast<int>(field);
}

double* ValueOf(AssessmentSettings* settings, AssessmentField field) {
    switch (field) {
        case AssessmentField::Ng: return &settings->ng;
        case AssessmentField::Nsg: return &settings->nsg;
        case AssessmentField::K: return &settings->k;
        default: return &settings->uw;
    }
}

// NG and NSG may be left out; k and UW have defaults, so a blank there is a slip rather than a choice.
bool BlankAllowed(AssessmentField field) {
    return field == AssessmentField::Ng || field == AssessmentField::Nsg;
}

}  // namespace

bool AssessmentFieldApplies(int32_t edition, AssessmentField field) {
    return edition == 3 || field == AssessmentField::Ng;
}

const NumberRange& AssessmentFieldRange(AssessmentField field) {
    return *Ranges[Index(field)];
}

AssessmentTexts AssessmentTextsOf(const AssessmentSettings& settings) {
    AssessmentTexts shown;
    shown.edition = settings.edition;
    AssessmentSettings copy = settings;
    for (int i = 0; i < Index(AssessmentField::Count); i++) {
        auto field = static_cast<AssessmentField>(i);
        shown.texts[i] = FieldText(*ValueOf(&copy, field), BlankAllowed(field));
    }
    return shown;
}

bool ReadAssessmentTexts(const AssessmentTexts& typed, AssessmentSettings* values, AssessmentField* refused) {
    AssessmentSettings read = *values;
    read.edition = typed.edition;
    for (int i = 0; i < Index(AssessmentField::Count); i++) {
        auto field = static_cast<AssessmentField>(i);
        if (!AssessmentFieldApplies(typed.edition, field))
            continue;
        if (!ReadField(typed.texts[i], AssessmentFieldRange(field), BlankAllowed(field), ValueOf(&read, field))) {
            *refused = field;
            return false;
        }
    }
    *values = std::move(read);
    return true;
}

// A drawing that never had settings gets them only when the user chose something new, so that OK on
// the defaults leaves its file as it was.
bool StoreAssessmentValues(AssessmentSettings* target, const AssessmentSettings& read) {
    bool changed = target->edition != read.edition || target->ng != read.ng || target->nsg != read.nsg ||
                   target->k != read.k || target->uw != read.uw;
    if (!changed)
        return false;
    target->edition = read.edition;
    target->ng = read.ng;
    target->nsg = read.nsg;
    target->k = read.k;
    target->uw = read.uw;
    target->present = 1;
    return true;
}

// Twelve significant digits hold every value a user types into these fields and never reach an exponent
// in their ranges, which the reading would refuse.
std::string FieldText(double value, bool blankWhenZero) {
    if (blankWhenZero && value == 0.0)
        return "";
    char text[40];
    snprintf(text, sizeof text, "%.12g", value);
    return text;
}

bool ReadField(const std::string& text, const NumberRange& range, bool blankAllowed, double* value) {
    if (blankAllowed && text.find_first_not_of(" \t") == std::string::npos) {
        *value = 0.0;
        return true;
    }
    return ReadNumberField(text.c_str(), range, value);
}
