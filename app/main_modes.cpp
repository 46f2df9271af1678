#include "app/main_modes.h"

#include <initializer_list>

namespace {

ButtonState& Button(MainModes* modes, ButtonIndex index) {
    return modes->controls.buttons[index];
}

void SetButton(MainModes* modes, ButtonIndex index, bool enabled, bool checked, bool pressed) {
    Button(modes, index) = {enabled, checked, pressed};
}

void Highlight(MainModes* modes, ButtonIndex index) {
    SetButton(modes, index, true, false, true);
}

void SetFileMenus(MainModes* modes, bool drawingOpen) {
    modes->controls.fileNew = !drawingOpen;
    modes->controls.fileSave = drawingOpen;
    modes->controls.exportDraw = false;
}

// Back in the drawing view with no tool: the tools free to choose, the views as the check allows.
void ReturnToDrawingView(MainModes* modes, bool calcReady) {
    modes->viewMode = DrawingView;
    modes->toolMode = NoTool;
    modes->controls.optionsCalculation = true;
    modes->controls.exportDraw = false;
    Highlight(modes, DrawButton);
    for (ButtonIndex tool : {CreateButton, EditButton, DeleteButton})
        SetButton(modes, tool, true, false, false);
    for (ButtonIndex view : {ViewAdButton, ViewAmButton})
        SetButton(modes, view, calcReady, false, false);
}

ButtonIndex ToolButton(int32_t tool) {
    return static_cast<ButtonIndex>(CreateButton + tool - CreateTool);
}

ButtonIndex ViewButton(int32_t target) {
    return target == AdView ? ViewAdButton : ViewAmButton;
}

}  // namespace

void ResetMainModes(MainModes* modes) {
    *modes = MainModes();
}

void EnterNoDrawing(MainModes* modes) {
    modes->viewMode = DrawingView;
    modes->toolMode = NoTool;
    SetFileMenus(modes, false);
    for (ButtonState& button : modes->controls.buttons)
        button.enabled = false;
}

void EnterNewDrawing(MainModes* modes) {
    modes->viewMode = DrawingView;
    modes->toolMode = NoTool;
    SetFileMenus(modes, true);
    Highlight(modes, DrawButton);
    for (ButtonIndex other : {CreateButton, EditButton, DeleteButton}) {
        Button(modes, other).pressed = false;
        Button(modes, other).enabled = true;
    }
    for (ButtonIndex view : {ViewAdButton, ViewAmButton}) {
        Button(modes, view).pressed = false;
        Button(modes, view).enabled = false;
    }
}

void EnterOpenedDrawing(MainModes* modes) {
    EnterNewDrawing(modes);
    for (ButtonIndex view : {ViewAdButton, ViewAmButton})
        Button(modes, view).enabled = true;
}

void EnterClosedDrawing(MainModes* modes) {
    modes->viewMode = DrawingView;
    modes->toolMode = NoTool;
    SetFileMenus(modes, false);
    for (ButtonState& button : modes->controls.buttons)
        button = ButtonState();
}

void PressDraw(MainModes* modes, bool calcReady) {
    if (modes->viewMode != DrawingView) {
        ReturnToDrawingView(modes, calcReady);
        return;
    }
    Highlight(modes, DrawButton);
    for (ButtonIndex tool : {CreateButton, EditButton, DeleteButton})
        Button(modes, tool).enabled = true;
    modes->controls.optionsCalculation = true;
    modes->controls.exportDraw = false;
}

void ToggleTool(MainModes* modes, int32_t tool) {
    ButtonIndex pressed = ToolButton(tool);
    if (modes->toolMode == tool) {
        SetButton(modes, pressed, true, false, false);
        modes->toolMode = NoTool;
        return;
    }
    modes->viewMode = DrawingView;
    modes->toolMode = tool;
    for (ButtonIndex other : {CreateButton, EditButton, DeleteButton}) {
        if (other != pressed) {
            Button(modes, other).checked = false;
            Button(modes, other).pressed = false;
        }
    }
}

void ShowCurrentView(MainModes* modes, int32_t target) {
    ButtonState& button = Button(modes, ViewButton(target));
    button.checked = true;
    button.pressed = true;
    button.enabled = true;
}

void EnterResultView(MainModes* modes, int32_t target) {
    modes->viewMode = target;
    modes->toolMode = NoTool;
    SetButton(modes, DrawButton, true, false, false);
    for (ButtonIndex tool : {CreateButton, EditButton, DeleteButton})
        SetButton(modes, tool, false, false, false);
    ButtonIndex other = ViewButton(target == AdView ? AmView : AdView);
    SetButton(modes, other, true, false, false);
    Button(modes, ViewButton(target)).enabled = true;
    modes->controls.optionsCalculation = false;
    modes->controls.exportDraw = true;
}

void LeaveFailedView(MainModes* modes, bool calcReady) {
    ReturnToDrawingView(modes, calcReady);
}

void ApplyCalcReady(MainModes* modes, bool calcReady) {
    for (ButtonIndex view : {ViewAdButton, ViewAmButton}) {
        if (calcReady)
            Button(modes, view).enabled = true;
        else
            SetButton(modes, view, false, false, false);
    }
}

void SetOptionsDrawEnabled(MainModes* modes, bool enabled) {
    modes->controls.optionsDraw = enabled;
}
