// The fixture of the core tests that work on a session: each test gets one of its own, as the main
// window makes one as it is created, and names its parts as the program's code does.
#pragma once

#include <gtest/gtest.h>

#include "app/session.h"

class SessionTest : public ::testing::Test {
  protected:
    Session session;
    Drawing& drawing = session.drawing;
    EditHistory& editHistory = session.editHistory;
    MainModes& mainModes = session.mainModes;
    EditState& editState = session.editState;
    CanvasState& canvasState = session.canvasState;
};
