// The moments of a drawing's life, as the main window's commands reach them. Each acts on the session's
// drawing and result, and New, Open, Save and Close on its undo history too.
#pragma once

#include "exchange/import_build.h"
#include "model/drawing_file.h"

struct Session;

void StartDrawing(Session& session);  // program start: nothing open, every option at its default
void NewDrawing(Session& session);    // an empty, untitled drawing; options as last stored

// Reads path as the drawing and checks its polygons. A file that cannot be read or whose polygons fail
// the check leaves the drawing and its options as they were; only the path is kept as the file name.
FileError OpenDrawing(Session& session, const char* path);

// Writes the drawing to path; only a write that succeeded takes the name and clears modified.
FileError SaveDrawing(Session& session, const char* path);

void CloseDrawing(Session& session);  // also on Quit and when the main window goes

// Replaces the drawing with the imported footprints as a new, untitled, modified drawing, unless the
// import was refused or some footprint failed and the rest is not wanted (the drawing then stays).
ApplyOutcome ImportDrawing(Session& session, const ImportResult& result, bool importRest);
