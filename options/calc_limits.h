// The limits every entry of a calculation option goes through, wherever it is typed.
#pragma once

#include <string>

#include "model/drawing.h"
#include "model/drawing_change.h"
#include "text/number_field.h"

// What the calculation options dialog takes, named as its fields are labelled. The upper ends keep K x
// height and D far inside the clipper's exact range.
constexpr NumberRange HeightProjectionRange = {"Height projection [-]", MinHeightProjection, 100.0};
constexpr NumberRange DistanceProjectionRange = {"Distance projection [m]", MinDistanceProjection, 100000.0};

// The absolute value, raised to at least 1.0.
double LimitHeightProjection(double value);

// The absolute value in metres, raised to at least 0.01.
double LimitDistanceProjection(double value);

// The fields of the calculation options dialog, as a Refusal numbers them.
enum CalcOptionField { HeightProjectionField, DistanceProjectionField };

// A projection as the dialog shows it, with three decimals; left untouched, it stands for the value itself.
std::string CalcOptionText(double value);

// Save in the calculation options dialog: both texts must be numbers in their ranges, else refused, the
// first refused field told, and nothing stored. An actual change marks an open drawing modified, since the
// drawing file keeps the options.
SaveOutcome StoreCalcOptionTexts(Drawing* target, const char* heightText, const char* distanceText,
                                 Refusal* refusal = nullptr);
