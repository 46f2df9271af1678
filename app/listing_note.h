// The line under the Structures window's list: what the rows are, and why some cells are blank.
#pragma once

#include <string>

#include "app/structure_listing.h"

// rows: the listing's rows (null when it has none).
std::string ListingNote(ListingState state, const AssessmentResult* rows);
