// The mode variables of the main window and the enabled, checked and pressed state of its menu items
// and toolbar buttons, changed by each transition of the window. Kept free of windows so that every
// transition is tested natively; the window applies the result to its controls.
#pragma once

#include <cstdint>

#include "editing/tool_actions.h"

enum ViewMode : int32_t { DrawingView = 0, AdView = 1, AmView = 2 };

struct ButtonState {
    bool enabled = false;
    bool checked = false;
    bool pressed = false;  // the highlight; "highlighted" is pressed while not checked
};

enum ButtonIndex { DrawButton, CreateButton, EditButton, DeleteButton, ViewAdButton, ViewAmButton, ButtonCount };

struct MainControls {
    bool fileNew = true;      // also File > Open and Data > Import
    bool fileSave = false;    // also File > Save as and File > Close
    bool exportDraw = false;  // also Edit > Copy picture
    bool optionsCalculation = true;
    bool optionsDraw = true;
    ButtonState buttons[ButtonCount];
};

struct MainModes {
    int32_t viewMode = DrawingView;
    int32_t toolMode = NoTool;
    MainControls controls;
};

void ResetMainModes(MainModes* modes);  // as the program starts

void EnterNoDrawing(MainModes* modes);  // at creation: nothing open
void EnterNewDrawing(MainModes* modes);
void EnterOpenedDrawing(MainModes* modes);
void EnterClosedDrawing(MainModes* modes);
void PressDraw(MainModes* modes, bool calcReady);

// The clicked button's own check is set by the click itself, before these run.
void ToggleTool(MainModes* modes, int32_t tool);
void ShowCurrentView(MainModes* modes, int32_t target);  // the view asked for is already shown
void EnterResultView(MainModes* modes, int32_t target);
void LeaveFailedView(MainModes* modes, bool calcReady);

// A refreshed verdict of the polygon checks enables or disables the two view buttons.
void ApplyCalcReady(MainModes* modes, bool calcReady);

// While an edit drag is under way the draw options cannot change the grid under it.
void SetOptionsDrawEnabled(MainModes* modes, bool enabled);
