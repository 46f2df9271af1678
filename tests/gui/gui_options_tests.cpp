// The option dialogs driven through their own controls: Options > Draw with the canvas it lays out again,
// Options > Calculation with its question and the results it discards, and the simplified calculation.
#include "app/edit_history.h"
#include "engine/run/calc_records.h"
#include "resources/resource.h"
#include "shell/main_window_win.h"
#include "tests/gui/gui_dialog_steps.h"
#include "tests/gui/gui_test_support.h"
#include "ui/app_windows_win.h"

namespace {

const char* const DrawOptionsCaption = "Draw options";
const char* const CalcOptionsCaption = "Calculation options";
const char* const SimplifiedCaption = "Simplified calculation";
const char* const Running = "Calculation...";
const char* const Risk =
    "Modification of these parameters\nmay affect the validity of the results.\nModify at your own risk.\n"
    "Do you want to continue?";
const char* const TooClose =
    "With these values of Snap grid and Zoom\nthe experience in designing deteriorates.\nPlease, change these values";
const UINT WarningOk = MB_OK | MB_ICONWARNING;

// A real click, so a box that toggled itself as well as being toggled by the dialog would show.
Step ClickSnapBox() {
    return [](HWND dialog) { SendDlgItemMessageA(dialog, IDC_DRAW_SNAP_ON, BM_CLICK, 0, 0); };
}

int Selected(HWND dialog, int list) {
    return static_cast<int>(SendDlgItemMessageA(dialog, list, CB_GETCURSEL, 0, 0));
}

bool SnapTicked(HWND dialog) {
    return IsDlgButtonChecked(dialog, IDC_DRAW_SNAP_ON) == BST_CHECKED;
}

std::string Labels(HWND dialog, int list) {
    std::string labels;
    int count = static_cast<int>(SendDlgItemMessageA(dialog, list, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; i++) {
        char label[64] = {};
        SendDlgItemMessageA(dialog, list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(label));
        labels += (i ? "|" : "") + std::string(label);
    }
    return labels;
}

// The field that has the focus and whether its whole text is selected, as "id all" or "id part".
std::string SelectedField(HWND dialog) {
    HWND focus = GetFocus();
    DWORD from = 0, to = 0;
    SendMessageA(focus, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    bool all = from == 0 && to == static_cast<DWORD>(GetWindowTextLengthA(focus));
    return GetParent(focus) == dialog ? std::to_string(GetDlgCtrlID(focus)) + (all ? " all" : " part") : "elsewhere";
}

std::string Results(const char* ad, const char* am) {
    return std::string("Ad [km^2]: ") + ad + "\nAm [km^2]: " + am;
}

void ExpectDrawOptions(int snapOn, int snapIndex, int zoomIndex, double mapSize) {
    EXPECT_EQ(MainSession().drawing.drawOptions.snapOn, snapOn);
    EXPECT_EQ(MainSession().drawing.drawOptions.snapIndex, snapIndex);
    EXPECT_EQ(MainSession().drawing.drawOptions.zoomIndex, zoomIndex);
    EXPECT_EQ(MainSession().drawing.drawOptions.mapSize, mapSize);
}

class OptionDialogs : public MainWindowTest {
  protected:
    // Runs the command and gives its dialog the steps once it is up.
    void Run(int command, const char* caption, std::vector<Step> plan) {
        ClearDialogSteps();
        QueueDialogSteps(std::move(plan));
        int before = watch->Created(caption);
        watch->OnActivate(caption, AnswerDialog);
        Command(command);
        watch->ClearHandlers();
        EXPECT_EQ(watch->Created(caption), before + 1) << caption;
        EXPECT_EQ(DialogStepsLeft(), 0u) << "the dialog ended too early";
        ClearDialogSteps();
    }

    // Options > Calculation answered Yes, then the dialog; the question is taken off the prompt list.
    void RunCalcOptions(std::vector<Step> plan) {
        size_t asked = script.prompts.size();
        script.answers.push_back(IDYES);
        Run(IDM_OPTIONS_CALCULATION, CalcOptionsCaption, std::move(plan));
        ASSERT_GT(script.prompts.size(), asked);
        ExpectPrompt(script.prompts[asked], window, Risk, "Warning", MB_YESNO | MB_ICONWARNING);
        script.prompts.erase(script.prompts.begin() + asked);
    }

    // A drawing with its result present, back in the drawing view.
    void OpenCalculated() {
        Open(ExamplePath("house.Zlv"));
        Click(IDC_VIEW_AD_BUTTON);
        ASSERT_GT(CurrentResult().contourCount, 0);
        Click(IDC_DRAW_BUTTON);
        ASSERT_EQ(watch->Created(Running), 1);
    }

    static SCROLLINFO Bar(int which) {
        SCROLLINFO bar = {};
        bar.cbSize = sizeof bar;
        bar.fMask = SIF_ALL;
        GetScrollInfo(canvasWindow, which, &bar);
        return bar;
    }
};

}  // namespace

TEST_F(OptionDialogs, DrawOptionsShowTheStoredValuesAndCancelStoresNothing) {
    MainSession().drawing.drawOptions = DrawOptions{1, 6, 2, 150.6};
    for (int cancel : {IDC_DRAW_CANCEL, IDCANCEL}) {
        SCOPED_TRACE(cancel);
        std::string mapSize, snapLabels, zoomLabels;
        int snap = -1, zoom = -1;
        bool ticked = false;
        Run(IDM_OPTIONS_DRAW, DrawOptionsCaption,
            {[&](HWND dialog) {
                 mapSize = DialogText(dialog, IDC_DRAW_MAP_SIZE);
                 snapLabels = Labels(dialog, IDC_DRAW_SNAP_STEP);
                 zoomLabels = Labels(dialog, IDC_DRAW_ZOOM);
                 snap = Selected(dialog, IDC_DRAW_SNAP_STEP);
                 zoom = Selected(dialog, IDC_DRAW_ZOOM);
                 ticked = SnapTicked(dialog);
             },
             Choose(IDC_DRAW_SNAP_STEP, 3), Choose(IDC_DRAW_ZOOM, 0), ClickSnapBox(), Type(IDC_DRAW_MAP_SIZE, "900"),
             Press(cancel)});
        EXPECT_EQ(mapSize, "151");
        EXPECT_EQ(snapLabels, "Snap Off|0.1 m|0.2 m|0.5 m|1.0 m|2.0 m|5.0 m|10 m");
        EXPECT_EQ(zoomLabels, "x 10|x 5|x 2|x 1.0|x 0.5|x 0.2|x 0.1") << "each list is filled once";
        EXPECT_EQ(snap, 6);
        EXPECT_EQ(zoom, 2);
        EXPECT_TRUE(ticked);
        ExpectDrawOptions(1, 6, 2, 150.6);
    }
    EXPECT_TRUE(script.prompts.empty());
}

// The map size is stored as typed. One the dialog cannot take is named with its range, with the dialog
// left open on the field, its text selected, and nothing stored, the lists included. A change is one
// step that Undo takes back, and the result stays the drawing's.
TEST_F(OptionDialogs, DrawOptionsSaveStoresTheListsAndTheMapSizeRule) {
    OpenCalculated();
    int32_t contours = CurrentResult().contourCount;
    const char* const typed[] = {"50", "-250", "12,5", "abc", "", "1.2.3", "-0", "1e6"};
    std::vector<std::string> selected;
    std::vector<Step> plan;
    for (const char* text : typed) {
        plan.push_back(Choose(IDC_DRAW_ZOOM, 1));
        plan.push_back(Type(IDC_DRAW_MAP_SIZE, text));
        plan.push_back(Press(IDC_DRAW_SAVE));
        plan.push_back([&selected](HWND dialog) { selected.push_back(SelectedField(dialog)); });
    }
    plan.push_back(Type(IDC_DRAW_MAP_SIZE, "150.6"));
    plan.push_back(Press(IDC_DRAW_SAVE));
    Run(IDM_OPTIONS_DRAW, DrawOptionsCaption, plan);
    ASSERT_EQ(script.prompts.size(), std::size(typed));
    for (size_t i = 0; i < std::size(typed); i++) {
        SCOPED_TRACE(typed[i]);
        const PromptCall& prompt = script.prompts[i];
        ExpectPrompt(prompt, prompt.owner, "Draw map size [m] takes a number from 100 to 1000000.", "Warning",
                     WarningOk);
        EXPECT_TRUE(prompt.owner != nullptr && prompt.owner != window) << "owned by the dialog";
        EXPECT_EQ(selected[i], std::to_string(IDC_DRAW_MAP_SIZE) + " all");
    }
    ExpectDrawOptions(0, 4, 1, 150.6);
    EXPECT_EQ(CurrentResult().contourCount, contours);
    EXPECT_EQ(MainSession().drawing.modified, 1);

    // Undo takes the map size back in one step and leaves the zoom as the user chose it; Save on the
    // options as they are records nothing more.
    EXPECT_EQ(Bar(SB_HORZ).nMax, 150);
    Command(IDM_EDIT_UNDO);
    ExpectDrawOptions(0, 4, 1, 100.0);
    EXPECT_EQ(MainSession().drawing.modified, 0);
    EXPECT_EQ(Bar(SB_HORZ).nMax, 100) << "the bars follow the size undone";
    Run(IDM_OPTIONS_DRAW, DrawOptionsCaption, {Press(IDC_DRAW_SAVE)});
    EXPECT_EQ(MainSession().drawing.modified, 0);
    EXPECT_FALSE(MainSession().editHistory.canUndo());
    EXPECT_TRUE(MainSession().editHistory.canRedo()) << "an unchanged Save keeps the step to redo";
}

// Every pair whose grid would be 2 pixels or closer is refused with the dialog left open and nothing
// stored; the run ends with the closest pair that is still accepted.
TEST_F(OptionDialogs, DrawOptionsRefuseSnapAndZoomPairsTooClose) {
    const int refused[][2] = {{1, 2}, {1, 3}, {1, 4}, {1, 5}, {1, 6}, {2, 3}, {2, 4},
                              {2, 5}, {2, 6}, {3, 5}, {3, 6}, {4, 5}, {4, 6}, {5, 6}};
    std::vector<Step> plan;
    for (const auto& pair : refused) {
        plan.push_back(Choose(IDC_DRAW_SNAP_STEP, pair[0]));
        plan.push_back(Choose(IDC_DRAW_ZOOM, pair[1]));
        plan.push_back(Type(IDC_DRAW_MAP_SIZE, "500"));
        plan.push_back(Press(IDC_DRAW_SAVE));
    }
    plan.push_back([](HWND) { ExpectDrawOptions(0, 4, 3, 100.0); });
    plan.push_back(Choose(IDC_DRAW_SNAP_STEP, 3));
    plan.push_back(Choose(IDC_DRAW_ZOOM, 4));
    plan.push_back(Press(IDC_DRAW_SAVE));
    Run(IDM_OPTIONS_DRAW, DrawOptionsCaption, plan);
    ASSERT_EQ(script.prompts.size(), std::size(refused));
    for (const PromptCall& prompt : script.prompts) {
        ExpectPrompt(prompt, prompt.owner, TooClose, "Warning", WarningOk);
        EXPECT_TRUE(prompt.owner != nullptr && prompt.owner != window) << "owned by the dialog";
    }
    ExpectDrawOptions(0, 3, 4, 500.0);

    // No snapping is always accepted; so are grids of more than 2 pixels at the coarsest zooms.
    const int accepted[][2] = {{0, 6}, {1, 1}, {5, 5}, {6, 6}, {7, 6}};
    for (const auto& pair : accepted) {
        SCOPED_TRACE(testing::Message() << pair[0] << " with " << pair[1]);
        Run(IDM_OPTIONS_DRAW, DrawOptionsCaption,
            {Choose(IDC_DRAW_SNAP_STEP, pair[0]), Choose(IDC_DRAW_ZOOM, pair[1]), Press(IDC_DRAW_SAVE)});
        EXPECT_EQ(MainSession().drawing.drawOptions.snapIndex, pair[0]);
        EXPECT_EQ(MainSession().drawing.drawOptions.zoomIndex, pair[1]);
    }
    EXPECT_EQ(script.prompts.size(), std::size(refused));
}

// The box is toggled by the dialog on each click; choosing "Snap Off" clears it at once, and a box
// ticked again under "Snap Off" still saves as no snapping.
TEST_F(OptionDialogs, DrawOptionsSnapBoxFollowsClicksAndSnapOff) {
    std::vector<bool> seen;
    auto look = [&seen](HWND dialog) { seen.push_back(SnapTicked(dialog)); };
    Run(IDM_OPTIONS_DRAW, DrawOptionsCaption,
        {look, ClickSnapBox(), look, ClickSnapBox(), look, ClickSnapBox(), Choose(IDC_DRAW_SNAP_STEP, 0), look,
         ClickSnapBox(), look, Press(IDC_DRAW_SAVE)});
    EXPECT_EQ(seen, (std::vector<bool>{false, true, false, false, true}));
    ExpectDrawOptions(0, 0, 3, 100.0);

    MainSession().drawing.drawOptions.snapOn = 1;  // as a file may store it under "Snap Off"
    seen.clear();
    Run(IDM_OPTIONS_DRAW, DrawOptionsCaption,
        {look, Choose(IDC_DRAW_SNAP_STEP, 5), look, ClickSnapBox(), look, Press(IDC_DRAW_SAVE)});
    EXPECT_EQ(seen, (std::vector<bool>{false, false, true}));
    ExpectDrawOptions(1, 5, 3, 100.0);
}

// Saved, the dialog lays the canvas out as the main window's paint would and gives the bars pages of
// the new zoom, in whole metres of the canvas's outer size, and the map size as their range.
TEST_F(OptionDialogs, DrawOptionsSaveRescalesTheCanvasScrollBars) {
    SetWindowPos(window, nullptr, 0, 0, 777, 555, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client;
    GetClientRect(window, &client);
    const int width = client.right - 25, height = client.bottom - 70;
    ASSERT_GT(height, 100);

    Run(IDM_OPTIONS_DRAW, DrawOptionsCaption,
        {Choose(IDC_DRAW_ZOOM, 4), Type(IDC_DRAW_MAP_SIZE, "5000.9"), Press(IDC_DRAW_SAVE)});  // "x 0.5": 2 m
    RECT outer;
    GetWindowRect(canvasWindow, &outer);
    EXPECT_EQ(outer.right - outer.left, width);
    EXPECT_EQ(outer.bottom - outer.top, height);
    POINT corner = {outer.left, outer.top};
    ScreenToClient(window, &corner);
    EXPECT_EQ(corner.x, 10);
    EXPECT_EQ(corner.y, 40);
    for (int which : {SB_HORZ, SB_VERT}) {
        SCROLLINFO bar = Bar(which);
        EXPECT_EQ(bar.nMin, 0);
        EXPECT_EQ(bar.nMax, 5000);
        EXPECT_EQ(bar.nPage, static_cast<UINT>((which == SB_HORZ ? width : height) / 10 * 2)) << which;
    }

    // The field showed the size rounded to whole metres; left so, Save keeps the size itself.
    Run(IDM_OPTIONS_DRAW, DrawOptionsCaption, {Choose(IDC_DRAW_ZOOM, 1), Press(IDC_DRAW_SAVE)});  // "x 5": 0.2 m
    EXPECT_EQ(MainSession().drawing.drawOptions.mapSize, 5000.9);
    EXPECT_EQ(Bar(SB_HORZ).nPage, static_cast<UINT>(width / 10 * 0.2));
    EXPECT_EQ(Bar(SB_VERT).nPage, static_cast<UINT>(height / 10 * 0.2));
    EXPECT_EQ(Bar(SB_VERT).nMax, 5000);

    Run(IDM_OPTIONS_DRAW, DrawOptionsCaption,
        {Choose(IDC_DRAW_ZOOM, 6), Type(IDC_DRAW_MAP_SIZE, "200"), Press(IDC_DRAW_CANCEL)});
    EXPECT_EQ(Bar(SB_HORZ).nPage, static_cast<UINT>(width / 10 * 0.2));
    EXPECT_EQ(Bar(SB_HORZ).nMax, 5000);
}

TEST_F(OptionDialogs, CalculationOptionsOpenOnlyAfterYes) {
    MainSession().drawing.calcOptions = {2.5, 350.25};
    script.answers.push_back(IDNO);
    Command(IDM_OPTIONS_CALCULATION);
    ASSERT_EQ(script.prompts.size(), 1u);
    ExpectPrompt(script.prompts[0], window, Risk, "Warning", MB_YESNO | MB_ICONWARNING);
    EXPECT_EQ(watch->Created(CalcOptionsCaption), 0);
    script.prompts.clear();

    for (int cancel : {IDC_CALC_CANCEL, IDCANCEL}) {
        std::string height, distance;
        RunCalcOptions({[&](HWND dialog) {
                            height = DialogText(dialog, IDC_CALC_HEIGHT_PROJECTION);
                            distance = DialogText(dialog, IDC_CALC_DISTANCE_PROJECTION);
                        },
                        Type(IDC_CALC_HEIGHT_PROJECTION, "7"), Type(IDC_CALC_DISTANCE_PROJECTION, "70"),
                        Press(cancel)});
        EXPECT_EQ(height, "2.500");
        EXPECT_EQ(distance, "350.250");
        EXPECT_EQ(MainSession().drawing.calcOptions.heightProjection, 2.5);
        EXPECT_EQ(MainSession().drawing.calcOptions.distanceProjection, 350.25);
    }
    EXPECT_TRUE(script.prompts.empty());
}

// Each case opens on what the one before stored; values are stored as typed, the ends of the ranges
// included.
TEST_F(OptionDialogs, CalculationOptionsStoreTheValuesTyped) {
    struct Case {
        const char* height;
        const char* distance;
        double storedHeight, storedDistance;
        const char* shownAtOpening;
    };
    const Case cases[] = {
        {"1", "0,01", 1.0, 0.01, "3.000 500.000"},
        {"100", "100000", 100.0, 100000.0, "1.000 0.010"},
        {"3,5", " 350 ", 3.5, 350.0, "100.000 100000.000"},
        {"+1", "0.02", 1.0, 0.02, "3.500 350.000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.height << " and " << c.distance);
        std::string shown;
        RunCalcOptions({[&shown](HWND dialog) {
                            shown = DialogText(dialog, IDC_CALC_HEIGHT_PROJECTION) + " " +
                                    DialogText(dialog, IDC_CALC_DISTANCE_PROJECTION);
                        },
                        Type(IDC_CALC_HEIGHT_PROJECTION, c.height), Type(IDC_CALC_DISTANCE_PROJECTION, c.distance),
                        Press(IDC_CALC_SAVE)});
        EXPECT_EQ(shown, c.shownAtOpening);
        EXPECT_EQ(MainSession().drawing.calcOptions.heightProjection, c.storedHeight);
        EXPECT_EQ(MainSession().drawing.calcOptions.distanceProjection, c.storedDistance);
    }
    EXPECT_TRUE(script.prompts.empty());
}

// A value that is no number in its range is refused with a message naming the first such field and its
// range; the dialog stays with both texts as typed, and nothing is stored.
TEST_F(OptionDialogs, CalculationOptionsRefuseWhatIsOutOfRangeWithAMessage) {
    MainSession().drawing.calcOptions = {2.5, 350.25};
    const char* const Height = "Height projection [-] takes a number from 1 to 100.";
    const char* const Distance = "Distance projection [m] takes a number from 0.01 to 100000.";
    const struct {
        const char* height;
        const char* distance;
        const char* message;
    } invalid[] = {
        {"4", "5OO", Distance}, {"1.2.3", "100", Height}, {"", "100", Height},       {"4", "1e3", Distance},
        {"0,5", "100", Height}, {"-4", "350", Height},    {"4", "-0,005", Distance}, {"101", "-1", Height},
    };
    std::vector<std::string> shown;
    std::vector<Step> plan;
    for (const auto& texts : invalid) {
        plan.push_back(Type(IDC_CALC_HEIGHT_PROJECTION, texts.height));
        plan.push_back(Type(IDC_CALC_DISTANCE_PROJECTION, texts.distance));
        plan.push_back(Press(IDC_CALC_SAVE));
        plan.push_back([&shown](HWND dialog) {
            shown.push_back(DialogText(dialog, IDC_CALC_HEIGHT_PROJECTION) + " " +
                            DialogText(dialog, IDC_CALC_DISTANCE_PROJECTION));
        });
    }
    plan.push_back(Press(IDC_CALC_CANCEL));
    RunCalcOptions(plan);
    ASSERT_EQ(script.prompts.size(), std::size(invalid));
    for (size_t i = 0; i < std::size(invalid); i++) {
        EXPECT_EQ(shown[i], std::string(invalid[i].height) + " " + invalid[i].distance);
        EXPECT_EQ(script.prompts[i].text, invalid[i].message) << invalid[i].height << " " << invalid[i].distance;
        EXPECT_NE(script.prompts[i].owner, window) << "owned by the dialog";
    }
    EXPECT_EQ(MainSession().drawing.calcOptions.heightProjection, 2.5);
    EXPECT_EQ(MainSession().drawing.calcOptions.distanceProjection, 350.25);
}

// Only an actual change of a value discards the result, so that the next view calculates again, and
// marks the drawing changed: its file keeps the options, so Close must offer to save them.
TEST_F(OptionDialogs, ChangedCalculationOptionDiscardsTheResult) {
    OpenCalculated();
    const double ad = CurrentResult().ad, am = CurrentResult().am;
    RunCalcOptions({Press(IDC_CALC_SAVE)});
    EXPECT_GT(CurrentResult().contourCount, 0);
    EXPECT_EQ(MainSession().drawing.modified, 0);
    Click(IDC_VIEW_AD_BUTTON);
    EXPECT_EQ(watch->Created(Running), 1) << "an unchanged Save keeps the result";
    Click(IDC_DRAW_BUTTON);

    RunCalcOptions({Type(IDC_CALC_DISTANCE_PROJECTION, "350"), Press(IDC_CALC_SAVE)});
    EXPECT_EQ(CurrentResult().contourCount, 0);
    EXPECT_EQ(MainSession().drawing.modified, 1);
    Click(IDC_VIEW_AM_BUTTON);
    EXPECT_EQ(watch->Created(Running), 2);
    EXPECT_EQ(CurrentResult().ad, ad);
    EXPECT_LT(CurrentResult().am, am);
    Click(IDC_DRAW_BUTTON);

    RunCalcOptions({Type(IDC_CALC_HEIGHT_PROJECTION, "2"), Press(IDC_CALC_SAVE)});
    EXPECT_EQ(CurrentResult().contourCount, 0);
    Click(IDC_VIEW_AD_BUTTON);
    EXPECT_EQ(watch->Created(Running), 3);
    EXPECT_LT(CurrentResult().ad, ad);
    EXPECT_TRUE(script.prompts.empty());
}

// The dialog stays open for more values and keeps what was typed; opened again it starts from zeros.
TEST_F(OptionDialogs, SimplifiedCalculationShowsResultsAndStartsAfreshEachTime) {
    std::vector<std::string> opening;
    auto look = [&opening](HWND dialog) {
        for (int id :
             {IDC_SIMPLIFIED_LENGTH, IDC_SIMPLIFIED_WIDTH, IDC_SIMPLIFIED_MIN_HEIGHT, IDC_SIMPLIFIED_MAX_HEIGHT})
            opening.push_back(DialogText(dialog, id));
    };
    std::string kept;
    Run(IDM_TOOL_SIMPLIFIED, SimplifiedCaption,
        {look, Type(IDC_SIMPLIFIED_LENGTH, "20"), Type(IDC_SIMPLIFIED_WIDTH, "10"),
         Type(IDC_SIMPLIFIED_MIN_HEIGHT, "10"), Type(IDC_SIMPLIFIED_MAX_HEIGHT, "10"), Press(IDC_SIMPLIFIED_CALCULATE),
         Type(IDC_SIMPLIFIED_MAX_HEIGHT, "40"), Press(IDC_SIMPLIFIED_CALCULATE), Type(IDC_SIMPLIFIED_MAX_HEIGHT, "0"),
         Type(IDC_SIMPLIFIED_LENGTH, "12,5"), Press(IDC_SIMPLIFIED_CALCULATE),
         [&kept](HWND dialog) { kept = DialogText(dialog, IDC_SIMPLIFIED_LENGTH); }, Press(IDC_SIMPLIFIED_CLOSE)});
    ASSERT_EQ(script.prompts.size(), 3u);
    const UINT information = MB_OK | MB_ICONINFORMATION;
    for (const PromptCall& prompt : script.prompts)
        EXPECT_TRUE(prompt.owner != nullptr && prompt.owner != window) << "owned by the dialog";
    HWND dialog = script.prompts[0].owner;
    ExpectPrompt(script.prompts[0], dialog, Results("4.82743e-03", "8.15398e-01").c_str(), "Results", information);
    ExpectPrompt(script.prompts[1], dialog, Results("4.52389e-02", "8.15398e-01").c_str(), "Results", information);
    ExpectPrompt(script.prompts[2], dialog, Results("4.30243e-03", "8.07898e-01").c_str(), "Results", information);
    EXPECT_EQ(kept, "12,5");

    Run(IDM_TOOL_SIMPLIFIED, SimplifiedCaption, {look, Press(IDCANCEL)});
    EXPECT_EQ(opening, std::vector<std::string>(8, "0.00"));
    EXPECT_EQ(script.prompts.size(), 3u);
}

// Each wrong field is named with its range, selected, and the dialog stays with the texts as typed; only
// the maximum height may be 0, and a text that merely begins with a number is refused.
TEST_F(OptionDialogs, SimplifiedCalculationRefusesInvalidData) {
    const char* const Length = "Length base [m] takes a number from 0.01 to 100000.";
    const char* const Width = "Width base [m] takes a number from 0.01 to 100000.";
    const char* const MinHeight = "Minimum height [m] takes a number from 0.01 to 1000.";
    const char* const MaxHeight = "Maximum height [m] takes a number from 0 to 1000.";
    struct Case {
        int field;
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {IDC_SIMPLIFIED_LENGTH, "0", Length},
        {IDC_SIMPLIFIED_WIDTH, "0", Width},
        {IDC_SIMPLIFIED_MIN_HEIGHT, "0", MinHeight},
        {IDC_SIMPLIFIED_MAX_HEIGHT, "-1", MaxHeight},
        {IDC_SIMPLIFIED_LENGTH, "-20", Length},
        {IDC_SIMPLIFIED_WIDTH, "", Width},
        {IDC_SIMPLIFIED_MIN_HEIGHT, "1.2.3", MinHeight},
        {IDC_SIMPLIFIED_MAX_HEIGHT, "abc", MaxHeight},
        {IDC_SIMPLIFIED_LENGTH, "12-3", Length},
        {IDC_SIMPLIFIED_LENGTH, "1,2.3", Length},
    };
    std::vector<std::string> selected;
    std::vector<Step> plan;
    for (const Case& c : cases) {
        plan.push_back(Type(IDC_SIMPLIFIED_LENGTH, "20"));
        plan.push_back(Type(IDC_SIMPLIFIED_WIDTH, "10"));
        plan.push_back(Type(IDC_SIMPLIFIED_MIN_HEIGHT, "10"));
        plan.push_back(Type(IDC_SIMPLIFIED_MAX_HEIGHT, "0"));
        plan.push_back(Type(c.field, c.text));
        plan.push_back(Press(IDC_SIMPLIFIED_CALCULATE));
        plan.push_back([&selected](HWND dialog) { selected.push_back(SelectedField(dialog)); });
    }
    std::string kept;
    plan.push_back([&kept](HWND dialog) { kept = DialogText(dialog, IDC_SIMPLIFIED_LENGTH); });
    plan.push_back(Type(IDC_SIMPLIFIED_LENGTH, "12"));
    plan.push_back(PressEnter(IDC_SIMPLIFIED_LENGTH));  // Enter calculates, as the default button
    plan.push_back(Press(IDC_SIMPLIFIED_CLOSE));
    Run(IDM_TOOL_SIMPLIFIED, SimplifiedCaption, plan);
    ASSERT_EQ(script.prompts.size(), std::size(cases) + 1);
    for (size_t i = 0; i < std::size(cases); i++) {
        SCOPED_TRACE(cases[i].text);
        const PromptCall& prompt = script.prompts[i];
        ExpectPrompt(prompt, prompt.owner, cases[i].message, "Warning", WarningOk);
        EXPECT_TRUE(prompt.owner != nullptr && prompt.owner != window) << "owned by the dialog";
        EXPECT_EQ(selected[i], std::to_string(cases[i].field) + " all");
    }
    EXPECT_EQ(kept, "1,2.3");
    const PromptCall& last = script.prompts.back();
    ExpectPrompt(last, last.owner, Results("4.26743e-03", "8.07398e-01").c_str(), "Results",
                 MB_OK | MB_ICONINFORMATION);
}

TEST_F(OptionDialogs, SimplifiedCalculationUsesTheCurrentCalculationOptions) {
    RunCalcOptions(
        {Type(IDC_CALC_HEIGHT_PROJECTION, "2"), Type(IDC_CALC_DISTANCE_PROJECTION, "350"), Press(IDC_CALC_SAVE)});
    Run(IDM_TOOL_SIMPLIFIED, SimplifiedCaption,
        {Type(IDC_SIMPLIFIED_LENGTH, "20"), Type(IDC_SIMPLIFIED_WIDTH, "10"), Type(IDC_SIMPLIFIED_MIN_HEIGHT, "10"),
         Press(IDC_SIMPLIFIED_CALCULATE), Press(IDC_SIMPLIFIED_CLOSE)});
    ASSERT_EQ(script.prompts.size(), 1u);
    EXPECT_EQ(script.prompts[0].text, Results("2.65664e-03", "4.05845e-01"));
}
