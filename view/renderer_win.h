// Everything drawn on the canvas and into the exported metafile: the grid, the polygons, the result
// views and the rubber bands that follow the pointer.
#pragma once

#include <windows.h>

#include "view/view_transform.h"

void DrawGrid(HDC dc, int width, int height);
void DrawPolygons(HDC dc);

// What a result view writes at its top left: the area as the canvas shows it, the caption of an
// exported picture, or nothing (the metafile writes its own caption in large letters).
enum class ResultLabel { Area, Caption, None };

// The Ad or Am outline fitted into rect (origin 0, 0), the structure in grey on top, and the label at
// the top left. With nothing to fit, only the label.
void DrawResultView(const RECT& rect, HDC dc, bool ad, ResultLabel label);

// The bands are drawn inverting, so drawing one again erases it; each erases the band ending at the
// canvas's band pixel, draws the one ending at the pointer pixel and marks a band visible.
void DrawCreateBand(HWND canvas);
bool DrawVertexBand(HWND canvas);
bool DrawPolygonGhost(HWND canvas);
