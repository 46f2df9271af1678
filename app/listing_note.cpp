#include "app/listing_note.h"

std::string ListingNote(ListingState state, const AssessmentResult* rows) {
    switch (state) {
        case ListingState::NoDrawing: return "No drawing is open.";
        case ListingState::Calculating: return "Calculating the structures...";
        case ListingState::OutOfDate:
            return "The drawing has changed: press Calculate (F5) to list its structures again.";
        default: break;
    }
    if (!rows)
        return "";
    int failed = 0;
    for (const StructureResult& s : rows->structures)
        failed += !s.calculated;
    std::string note =
        std::to_string(rows->structures.size()) + (rows->structures.size() == 1 ? " structure." : " structures.");
    if (state == ListingState::Stopped)
        note = "Calculation stopped: the structures it did not reach are blank; press Calculate (F5) to finish.";
    else if (failed > 0)
        note += " " + std::to_string(failed) + " cannot be calculated: their cells are blank.";
    // The events need the flash density of the edition in force; without it they are left out, not 0.
    if (!rows->density.n() && !rows->structures.empty())
        note += rows->density.edition == 3 ? " Events are blank until NSG (or NG) is set: Data > Assessment..."
                                           : " Events are blank until NG is set: Data > Assessment...";
    return note;
}
