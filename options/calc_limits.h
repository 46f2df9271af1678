// The limits every entry of a calculation option goes through, wherever it is typed.
#pragma once

// The absolute value, raised to at least 1.0.
double LimitHeightProjection(double value);

// The absolute value in metres, raised to at least 0.01.
double LimitDistanceProjection(double value);
