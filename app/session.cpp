#include "app/session.h"

#include "app/drawing_lifecycle.h"

// The history starts from the closed drawing, so that the first New or Open has a state to replace.
Session::Session() {
    StartDrawing(*this);
}
