#include "app/main_modes.h"

#include <initializer_list>

MainModes mainModes;

namespace {

ButtonState& Button(ButtonIndex index) {
    return mainModes.controls.buttons[index];
}

void SetButton(ButtonIndex index, bool enabled, bool checked, bool pressed) {
    Button(index) = {enabled, checked, pressed};
}

void Highlight(ButtonIndex index) {
    SetButton(index, true, false, true);
}

void SetFileMenus(bool drawingOpen) {
    mainModes.controls.fileNew = !drawingOpen;
    mainModes.controls.fileSave = drawingOpen;
    mainModes.controls.exportDraw = false;
}

// Back in the drawing view with no tool: the tools free to choose, the views as the check allows.
void ReturnToDrawingView(bool calcReady) {
    mainModes.viewMode = DrawingView;
    mainModes.toolMode = NoTool;
    mainModes.controls.optionsCalculation = true;
    mainModes.controls.exportDraw = false;
    Highlight(DrawButton);
    for (ButtonIndex tool : {CreateButton, EditButton, DeleteButton})
        SetButton(tool, true, false, false);
    for (ButtonIndex view : {ViewAdButton, ViewAmButton})
        SetButton(view, calcReady, false, false);
}

ButtonIndex ToolButton(int32_t tool) {
    return static_cast<ButtonIndex>(CreateButton + tool - CreateTool);
}

ButtonIndex ViewButton(int32_t target) {
    return target == AdView ? ViewAdButton : ViewAmButton;
}

}  // namespace

void ResetMainModes() {
    mainModes = MainModes();
}

void EnterNoDrawing() {
    mainModes.viewMode = DrawingView;
    mainModes.toolMode = NoTool;
    SetFileMenus(false);
    for (ButtonState& button : mainModes.controls.buttons)
        button.enabled = false;
}

void EnterNewDrawing() {
    mainModes.viewMode = DrawingView;
    mainModes.toolMode = NoTool;
    SetFileMenus(true);
    Highlight(DrawButton);
    for (ButtonIndex other : {CreateButton, EditButton, DeleteButton}) {
        Button(other).pressed = false;
        Button(other).enabled = true;
    }
    for (ButtonIndex view : {ViewAdButton, ViewAmButton}) {
        Button(view).pressed = false;
        Button(view).enabled = false;
    }
}

void EnterOpenedDrawing() {
    EnterNewDrawing();
    for (ButtonIndex view : {ViewAdButton, ViewAmButton})
        Button(view).enabled = true;
}

void EnterClosedDrawing() {
    mainModes.viewMode = DrawingView;
    mainModes.toolMode = NoTool;
    SetFileMenus(false);
    for (ButtonState& button : mainModes.controls.buttons)
        button = ButtonState();
}

void PressDraw(bool calcReady) {
    if (mainModes.viewMode != DrawingView) {
        ReturnToDrawingView(calcReady);
        return;
    }
    Highlight(DrawButton);
    for (ButtonIndex tool : {CreateButton, EditButton, DeleteButton})
        Button(tool).enabled = true;
    mainModes.controls.optionsCalculation = true;
    mainModes.controls.exportDraw = false;
}

void ToggleTool(int32_t tool) {
    ButtonIndex pressed = ToolButton(tool);
    if (mainModes.toolMode == tool) {
        SetButton(pressed, true, false, false);
        mainModes.toolMode = NoTool;
        return;
    }
    mainModes.viewMode = DrawingView;
    mainModes.toolMode = tool;
    for (ButtonIndex other : {CreateButton, EditButton, DeleteButton}) {
        if (other != pressed) {
            Button(other).checked = false;
            Button(other).pressed = false;
        }
    }
}

void ShowCurrentView(int32_t target) {
    ButtonState& button = Button(ViewButton(target));
    button.checked = true;
    button.pressed = true;
    button.enabled = true;
}

void EnterResultView(int32_t target) {
    mainModes.viewMode = target;
    mainModes.toolMode = NoTool;
    SetButton(DrawButton, true, false, false);
    for (ButtonIndex tool : {CreateButton, EditButton, DeleteButton})
        SetButton(tool, false, false, false);
    ButtonIndex other = ViewButton(target == AdView ? AmView : AdView);
    SetButton(other, true, false, false);
    Button(ViewButton(target)).enabled = true;
    mainModes.controls.optionsCalculation = false;
    mainModes.controls.exportDraw = true;
}

void LeaveFailedView(bool calcReady) {
    ReturnToDrawingView(calcReady);
}

void ApplyCalcReady(bool calcReady) {
    for (ButtonIndex view : {ViewAdButton, ViewAmButton}) {
        if (calcReady)
            Button(view).enabled = true;
        else
            SetButton(view, false, false, false);
    }
}

void SetOptionsDrawEnabled(bool enabled) {
    mainModes.controls.optionsDraw = enabled;
}
