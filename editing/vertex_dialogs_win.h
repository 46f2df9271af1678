// The dialogs of the editing tools: the height, priority and name of a new vertex, the height of an
// existing vertex, and the priority and name of a polygon.
#pragma once

#include <windows.h>

#include <cstdint>

#include "editing/tool_actions.h"

// Shows the proposal and returns the answer in data. Ends only through Save with a valid height and a
// name: there is no Cancel, and Escape does nothing.
void ShowVertexDialog(HWND owner, VertexAnswer* data);

// Changes the height of vertex k of polygon index in place; a changed height discards the results
// and marks the drawing modified. "Invalid Point" for an index outside the drawing.
void ShowVertexHeightDialog(HWND owner, int32_t index, int32_t k);

// Changes a polygon's priority and name in place. "Invalid Polygon" for an index outside the drawing.
void ShowPolygonOptionsDialog(HWND owner, int32_t index);
