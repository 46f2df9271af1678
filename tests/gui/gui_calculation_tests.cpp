// View Ad and View Am: the calculation behind the modal progress dialog, its stop, the neighbour
// question, and the views that need no calculation.
#include "app/main_modes.h"
#include "editing/edit_state.h"
#include "resources/resource.h"
#include "shell/main_window_win.h"
#include "tests/gui/gui_test_support.h"
#include "ui/app_windows_win.h"

namespace {

const char* const Running = "Calculation...";

class Calculation : public MainWindowTest {
  protected:
    void OpenDrawing(const char* name, const std::vector<PolygonRecord>& polygons) {
        std::string path = TempPath(name);
        ASSERT_TRUE(WriteDrawing(path, polygons));
        Open(path);
    }

    void ExpectBackInTheDrawingView() {
        EXPECT_EQ(MainSession().mainModes.viewMode, DrawingView);
        EXPECT_EQ(CurrentResult().contourCount, 0);
        EXPECT_EQ(Looks(window), "Hooooo");
        EXPECT_EQ(Menus(window), "save calc draw");
    }
};

}  // namespace

// Six polygons of 25 vertices in all: the bar runs to 4 * 25 + 8 * 6 = 148, and a full run takes all
// its steps but the last two.
TEST_F(Calculation, ViewAdCalculatesOnceAndViewAmReusesTheResult) {
    Open(ExamplePath("industrial_site.Zlv"));
    Click(IDC_VIEW_AD_BUTTON);
    EXPECT_EQ(watch->Created(Running), 1);
    EXPECT_TRUE(script.prompts.empty());
    EXPECT_EQ(MainSession().mainModes.viewMode, AdView);
    EXPECT_GT(CurrentResult().contourCount, 0);
    EXPECT_GT(CurrentResult().ad, 0.0);
    EXPECT_GT(CurrentResult().am, CurrentResult().ad);
    EXPECT_EQ(progressSeen.rangeTop, 148);
    ASSERT_EQ(progressSeen.positions.size(), 147u);
    for (size_t i = 0; i < progressSeen.positions.size(); i++)
        ASSERT_EQ(progressSeen.positions[i], static_cast<int>(i));

    double ad = CurrentResult().ad;
    Click(IDC_VIEW_AM_BUTTON);
    Click(IDC_DRAW_BUTTON);
    Click(IDC_VIEW_AD_BUTTON);
    EXPECT_EQ(watch->Created(Running), 1) << "a present result is only shown";
    EXPECT_EQ(progressSeen.positions.size(), 147u);
    EXPECT_EQ(CurrentResult().ad, ad);
    EXPECT_EQ(MainSession().mainModes.viewMode, AdView);
}

// The Close is posted as the dialog is made, so it is handled as soon as the dialog's loop runs,
// long before a notched 2000-vertex outline is done: before the run's first step, or a few steps in.
TEST_F(Calculation, CloseDuringTheRunStopsItWithoutAnError) {
    OpenDrawing("round.Zlv", {Round(150, 2000, 10, 4)});
    watch->OnCreate(Running, [](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDC_PROGRESS_CLOSE, 0); });
    Click(IDC_VIEW_AD_BUTTON);
    EXPECT_EQ(watch->Created(Running), 1);
    EXPECT_TRUE(script.prompts.empty()) << "a stop the user asked for is no error";
    EXPECT_EQ(CurrentResult().ad, 0.0);
    EXPECT_EQ(CurrentResult().am, 0.0);
    if (!progressSeen.positions.empty()) {
        EXPECT_LT(progressSeen.positions.back(), progressSeen.rangeTop / 2) << "the Am pass never started";
    }
    ExpectBackInTheDrawingView();
}

// Each run has its own stop: the Close of a stopped run does not reach the next.
TEST_F(Calculation, AStopOfAnEarlierRunDoesNotStopTheNextRun) {
    OpenDrawing("round.Zlv", {Round(150, 2000, 10, 4)});
    int runs = 0;
    watch->OnCreate(Running, [&runs](HWND dialog) {
        if (runs++ == 0)
            PostMessageA(dialog, WM_COMMAND, IDC_PROGRESS_CLOSE, 0);
    });
    Click(IDC_VIEW_AM_BUTTON);
    EXPECT_EQ(CurrentResult().contourCount, 0);
    Command(IDM_FILE_CLOSE);
    Open(ExamplePath("house.Zlv"));
    script = Script();
    progressSeen = ProgressSeen();
    Click(IDC_VIEW_AM_BUTTON);
    EXPECT_EQ(runs, 2);
    EXPECT_TRUE(script.prompts.empty());
    EXPECT_GT(CurrentResult().contourCount, 0);
    EXPECT_EQ(MainSession().mainModes.viewMode, AmView);
    ASSERT_FALSE(progressSeen.positions.empty());
    EXPECT_EQ(progressSeen.positions.back(), 4 * 4 + 8 - 2);
}

TEST_F(Calculation, PolygonsApartAnsweredNoCalculateNothing) {
    OpenDrawing("apart.Zlv", {Square(0, 0, 10, 5), Square(100, 0, 10, 5)});
    script.answers.push_back(IDNO);
    Click(IDC_VIEW_AD_BUTTON);
    ASSERT_EQ(script.prompts.size(), 1u);
    ExpectPrompt(script.prompts[0], window, "Polygons are not neighbors.\nDo you want to continue?", "Warning",
                 MB_YESNO | MB_ICONWARNING);
    EXPECT_EQ(watch->Created(Running), 0);
    ExpectBackInTheDrawingView();
}

// Answered Yes, the run goes on; the failed view that follows a No is what enables Options >
// Calculation again in a drawing opened after a view.
TEST_F(Calculation, PolygonsApartAnsweredYesCalculateAllTheSame) {
    OpenDrawing("apart.Zlv", {Square(0, 0, 10, 5), Square(100, 0, 10, 5)});
    script.answers.push_back(IDYES);
    Click(IDC_VIEW_AD_BUTTON);
    EXPECT_EQ(watch->Created(Running), 1);
    EXPECT_EQ(MainSession().mainModes.viewMode, AdView);
    EXPECT_GE(CurrentResult().contourCount, 2);

    Command(IDM_FILE_CLOSE);
    Open(TempPath("apart.Zlv"));
    EXPECT_EQ(Menus(window), "save draw");
    script.answers.push_back(IDNO);
    Click(IDC_VIEW_AM_BUTTON);
    EXPECT_EQ(Menus(window), "save calc draw");
}

TEST_F(Calculation, ViewOfAnEmptyDrawingComputesNothingSilently) {
    Command(IDM_FILE_NEW);
    Command(IDC_VIEW_AD_BUTTON);  // disabled, but the command itself must be harmless
    EXPECT_TRUE(script.prompts.empty());
    EXPECT_EQ(watch->Created(Running), 0);
    EXPECT_EQ(MainSession().mainModes.viewMode, DrawingView);
    EXPECT_EQ(Looks(window), "Hooo--");

    Command(IDM_FILE_CLOSE);
    OpenDrawing("empty.Zlv", {});
    EXPECT_EQ(Looks(window), "Hooo--") << "an empty drawing opens with the views disabled";
    Command(IDC_VIEW_AM_BUTTON);
    EXPECT_TRUE(script.prompts.empty());
    EXPECT_EQ(watch->Created(Running), 0);
    EXPECT_EQ(MainSession().mainModes.viewMode, DrawingView);
    EXPECT_EQ(Looks(window), "Hooo--");
}

TEST_F(Calculation, EscapeInAResultViewChangesNothing) {
    Open(ExamplePath("house.Zlv"));
    Click(IDC_CREATE_BUTTON);
    MainSession().editState.constructing = true;
    Click(IDC_VIEW_AD_BUTTON);
    ASSERT_EQ(MainSession().mainModes.viewMode, AdView);
    std::string looks = Looks(window), menus = Menus(window);
    int32_t contours = CurrentResult().contourCount;
    Escape();
    EXPECT_EQ(MainSession().mainModes.viewMode, AdView);
    EXPECT_TRUE(MainSession().editState.constructing);
    EXPECT_EQ(Looks(window), looks);
    EXPECT_EQ(Menus(window), menus);
    EXPECT_EQ(CurrentResult().contourCount, contours);
}
