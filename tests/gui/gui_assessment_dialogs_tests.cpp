// The assessment's dialogs driven through their own controls: Data > Assessment..., the Structure dialog
// with its lines, and the Line dialog; each OK one undoable change, each refusal a message and nothing
// changed.
#include "resources/resource.h"
#include "shell/structure_dialog_win.h"
#include "tests/gui/gui_dialog_steps.h"
#include "tests/gui/gui_test_support.h"

namespace {

const char* const AssessmentCaption = "Assessment";
const char* const StructureCaption = "Structure";
const char* const LineCaption = "Line";

bool Enabled(HWND dialog, int control) {
    return IsWindowEnabled(GetDlgItem(dialog, control)) != FALSE;
}

class AssessmentDialogs : public MainWindowTest {
  protected:
    // Runs the command and gives its dialog the steps once it is up.
    void Run(const char* caption, std::vector<Step> plan, const std::function<void()>& open) {
        ClearDialogSteps();
        QueueDialogSteps(std::move(plan));
        int before = watch->Created(caption);
        // The dialog is activated again when a dialog it opened closes: its steps start once.
        HWND answered = nullptr;
        watch->OnActivate(caption, [&answered](HWND dialog) {
            if (dialog != answered)
                AnswerDialog(dialog);
            answered = dialog;
        });
        open();
        watch->ClearHandlers();
        EXPECT_EQ(watch->Created(caption), before + 1) << caption;
        EXPECT_EQ(DialogStepsLeft(), 0u) << "the dialog ended too early";
        ClearDialogSteps();
    }
    void RunAssessment(std::vector<Step> plan) {
        Run(AssessmentCaption, std::move(plan), [&] { Command(IDM_DATA_ASSESSMENT); });
    }
    void RunStructure(std::vector<Step> plan, bool* changed) {
        Run(StructureCaption, std::move(plan), [&] { *changed = ShowStructureDialog(window, 0); });
    }
};

}  // namespace

// NG for edition 2 alone; edition 3 enables NSG, k and UW. OK makes one step that one Undo takes back.
TEST_F(AssessmentDialogs, AssessmentStoresNgAndOneUndoTakesItBack) {
    Open(CopyOfExample("house.Zlv"));
    bool edition2Fields = true, edition3Fields = false;
    std::string label;
    RunAssessment({[&](HWND dialog) {
                       label = DialogText(dialog, IDC_ASSESSMENT_NG_LABEL);
                       edition2Fields = Enabled(dialog, IDC_ASSESSMENT_NG) && !Enabled(dialog, IDC_ASSESSMENT_NSG) &&
                                        !Enabled(dialog, IDC_ASSESSMENT_K) && !Enabled(dialog, IDC_ASSESSMENT_UW);
                       SendDlgItemMessageA(dialog, IDC_ASSESSMENT_EDITION3, BM_CLICK, 0, 0);
                       edition3Fields = Enabled(dialog, IDC_ASSESSMENT_NSG) && Enabled(dialog, IDC_ASSESSMENT_K) &&
                                        Enabled(dialog, IDC_ASSESSMENT_UW);
                       SendDlgItemMessageA(dialog, IDC_ASSESSMENT_EDITION2, BM_CLICK, 0, 0);
                   },
                   Type(IDC_ASSESSMENT_NG, "4,5"), PressEnter(IDC_ASSESSMENT_NG)});
    EXPECT_EQ(label, "NG [1/km²/year]:");
    EXPECT_TRUE(edition2Fields);
    EXPECT_TRUE(edition3Fields);
    EXPECT_EQ(MainSession().drawing.assessment.ng, 4.5);
    EXPECT_EQ(MainSession().drawing.assessment.edition, 2);
    EXPECT_EQ(MainSession().drawing.modified, 1);
    EXPECT_TRUE(script.prompts.empty());

    Command(IDM_EDIT_UNDO);
    EXPECT_EQ(MainSession().drawing.assessment.ng, 0.0);
    EXPECT_EQ(MainSession().drawing.modified, 0);
}

// A refused value names its field and range, keeps the dialog open with the field selected, and changes
// nothing; Escape then leaves the drawing as it was.
TEST_F(AssessmentDialogs, ARefusedValueKeepsTheDialogOpenAndChangesNothing) {
    Open(CopyOfExample("house.Zlv"));
    script.answers.push_back(IDOK);
    script.answers.push_back(IDOK);
    script.answers.push_back(IDOK);
    std::string afterRefusal;
    RunAssessment({[](HWND dialog) { SendDlgItemMessageA(dialog, IDC_ASSESSMENT_EDITION3, BM_CLICK, 0, 0); },
                   Type(IDC_ASSESSMENT_NG, "-5"), Press(IDOK), Read(IDC_ASSESSMENT_NG, &afterRefusal),
                   Type(IDC_ASSESSMENT_NG, "5" + std::string(150, ' ') + "x"), Press(IDOK),  // read whole
                   Type(IDC_ASSESSMENT_NG, "4"), Type(IDC_ASSESSMENT_UW, "abc"), Press(IDOK),
                   PressEscape(IDC_ASSESSMENT_UW)});
    ASSERT_EQ(script.prompts.size(), 3u);
    EXPECT_EQ(script.prompts[0].text, "NG [1/km²/year] takes a number from 0 to 100.");
    EXPECT_EQ(script.prompts[1].text, "NG [1/km²/year] takes a number from 0 to 100.");
    EXPECT_EQ(script.prompts[2].text, "UW [kV] takes a number from 0.1 to 100.");
    EXPECT_NE(script.prompts[0].owner, window) << "the dialog owns its message";
    script.prompts.clear();
    EXPECT_EQ(afterRefusal, "-5") << "the refused text stays to be corrected";
    EXPECT_EQ(MainSession().drawing.assessment.ng, 0.0);
    EXPECT_EQ(MainSession().drawing.assessment.edition, 2);
    EXPECT_EQ(MainSession().drawing.modified, 0);
}

// The drop-down offers what the surroundings suggest first; CD 1 is one step, and Undo restores it.
TEST_F(AssessmentDialogs, StructureSetsCdAndUndoRestoresIt) {
    Open(CopyOfExample("house.Zlv"));
    std::string name, first;
    int count = 0, chosen = -1;
    bool uwEnabled = true;
    bool changed = false;
    RunStructure({[&](HWND dialog) {
                      name = DialogText(dialog, IDC_STRUCTURE_NAME);
                      count = static_cast<int>(SendDlgItemMessageA(dialog, IDC_STRUCTURE_CD, CB_GETCOUNT, 0, 0));
                      char text[100] = {};
                      SendDlgItemMessageA(dialog, IDC_STRUCTURE_CD, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text));
                      first = text;
                      uwEnabled = Enabled(dialog, IDC_STRUCTURE_UW);
                  },
                  ReadChoice(IDC_STRUCTURE_CD, &chosen), Choose(IDC_STRUCTURE_CD, 3), Press(IDOK)},
                 &changed);
    EXPECT_EQ(name, "House");
    EXPECT_EQ(count, 5);
    EXPECT_EQ(first, "From the surroundings (1)");
    EXPECT_EQ(chosen, 0);
    EXPECT_FALSE(uwEnabled) << "UW of a structure is for edition 3";
    EXPECT_TRUE(changed);
    ASSERT_EQ(MainSession().drawing.assessment.structures.size(), 1u);
    EXPECT_EQ(MainSession().drawing.assessment.structures[0].cd, 1.0);
    EXPECT_EQ(MainSession().drawing.modified, 1);

    Command(IDM_EDIT_UNDO);
    EXPECT_TRUE(MainSession().drawing.assessment.structures.empty());
    EXPECT_EQ(MainSession().drawing.modified, 0);
}

// A line added through the Line dialog is saved with the drawing and assessed by the command-line tool;
// a refused length keeps the Line dialog open.
TEST_F(AssessmentDialogs, LineAddedInTheDialogIsAssessedByTheCommandLineTool) {
    std::string path = CopyOfExample("house.Zlv");
    Open(path);
    script.answers.push_back(IDOK);
    int lineDialogs = 0;
    HWND answered = nullptr;
    watch->OnActivate(LineCaption, [&](HWND line) {
        if (line == answered)
            return;  // activated again as the refusal's message goes
        answered = line;
        lineDialogs++;
        SendDlgItemMessageA(line, IDC_LINE_KIND, CB_SETCURSEL, 1, 0);
        SendDlgItemMessageA(line, IDC_LINE_INSTALLATION, CB_SETCURSEL, 1, 0);
        SendDlgItemMessageA(line, IDC_LINE_UNKNOWN, BM_CLICK, 0, 0);
        SetDlgItemTextA(line, IDC_LINE_LENGTH, "-250");
        SendMessageA(line, WM_COMMAND, IDOK, 0);  // refused: the dialog stays
        SetDlgItemTextA(line, IDC_LINE_LENGTH, "250");
        PostMessageA(line, WM_COMMAND, IDOK, 0);
    });
    std::string listed;
    bool changed = false;
    RunStructure({Press(IDC_STRUCTURE_ADD),
                  [&](HWND dialog) {
                      char text[200] = {};
                      SendDlgItemMessageA(dialog, IDC_STRUCTURE_LINES, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(text));
                      listed = text;
                  },
                  Press(IDOK)},
                 &changed);
    EXPECT_EQ(lineDialogs, 1);
    ASSERT_EQ(script.prompts.size(), 1u);
    EXPECT_EQ(script.prompts[0].text, "Length [m] takes a number from 0.1 to 100000.");
    script.prompts.clear();
    EXPECT_EQ(listed, "Telecom, buried, 250 m, rural");
    EXPECT_TRUE(changed);
    Command(IDM_FILE_SAVE);
    EXPECT_EQ(MainSession().drawing.modified, 0);

    DWORD exitCode = 99;
    std::string json = CommandLineOutput("assess --json \"" + path + "\"", &exitCode);
    EXPECT_EQ(exitCode, 0u) << json;
    EXPECT_NE(json.find("\"lines\":[{\"kind\":\"telecom\",\"installation\":\"buried\",\"length_m\":250.0"),
              std::string::npos)
        << json;
}
