// The moments of a drawing's life, as the main window's commands reach them. Each acts on the
// process-wide drawing and result.
#pragma once

#include "model/drawing_file.h"

void StartDrawing();  // program start: nothing open, every option at its default
void NewDrawing();    // an empty, untitled drawing; options as last stored

// Reads path as the drawing and checks its polygons. A refused file leaves the drawing as it was; a
// file whose polygons fail the check leaves no polygons but keeps the options it brought, as the
// drawing before Open held none either. The path is kept as the file name in both cases.
FileError OpenDrawing(const char* path);

// Writes the drawing to path; only a write that succeeded takes the name and clears modified.
FileError SaveDrawing(const char* path);

void CloseDrawing();  // also on Quit and when the main window goes
