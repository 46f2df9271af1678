// File > Export report...: the calculation behind the progress dialog, then the PDF; what a stop, a
// failed write and an empty drawing leave.
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "app/edit_history.h"
#include "model/drawing.h"
#include "resources/resource.h"
#include "shell/report_commands_win.h"
#include "shell/report_signatures_dialog_win.h"
#include "tests/gui/gui_dialog_steps.h"
#include "tests/gui/gui_test_support.h"

namespace {

const char* const Running = "Calculation...";

std::string reportPath;  // what the save dialog answers; empty: the user cancels
int reportDialogs = 0;

bool AnswerReportDialog(HWND, char* path) {
    reportDialogs++;
    strcpy(path, reportPath.c_str());
    return !reportPath.empty();
}

// The signature fields asked first, left as they are.
bool KeepSignatures(HWND, ReportSignatures*) {
    return true;
}

std::string Contents(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

class ReportExport : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        saved = AskReportFileName;
        AskReportFileName = AnswerReportDialog;
        savedSignatures = AskReportSignatures;
        AskReportSignatures = KeepSignatures;
        reportDialogs = 0;
    }
    void TearDown() override {
        AskReportFileName = saved;
        AskReportSignatures = savedSignatures;
        ClearDialogSteps();
        MainWindowTest::TearDown();
    }
    ReportFileDialogFn saved = nullptr;
    ReportSignaturesFn savedSignatures = nullptr;
};

}  // namespace

TEST_F(ReportExport, WritesThePdfOfTheOpenDrawing) {
    Open(ExamplePath("house.Zlv"));
    reportPath = TempPath("house report.pdf");
    Command(IDM_FILE_EXPORT_REPORT);
    EXPECT_EQ(reportDialogs, 1);
    EXPECT_EQ(watch->Created(Running), 1);
    EXPECT_TRUE(script.prompts.empty());
    std::string pdf = Contents(reportPath);
    ASSERT_GT(pdf.size(), 1000u);
    EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
}

TEST_F(ReportExport, StopOrAFailedWriteLeaveTheOldFile) {
    Open(ExamplePath("industrial_site.Zlv"));
    reportPath = TempPath("kept.pdf");
    std::ofstream(reportPath, std::ios::binary) << "old report";

    watch->OnCreate(Running, [](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDC_PROGRESS_CLOSE, 0); });
    Command(IDM_FILE_EXPORT_REPORT);
    EXPECT_EQ(watch->Created(Running), 1);
    EXPECT_TRUE(script.prompts.empty()) << "a stop is the user's own choice";
    EXPECT_EQ(Contents(reportPath), "old report");

    watch->ClearHandlers();
    reportPath = TempPath("");  // a folder: nothing can be written over it
    Command(IDM_FILE_EXPORT_REPORT);
    ASSERT_EQ(script.prompts.size(), 1u);
    ExpectPrompt(script.prompts[0], window, "Error to write file", "Failed", MB_OK);
}

TEST_F(ReportExport, NothingToReportWithoutPolygonsOrWhenCancelled) {
    Command(IDM_FILE_NEW);
    Command(IDM_FILE_EXPORT_REPORT);
    Command(IDM_FILE_PRINT);
    ASSERT_EQ(script.prompts.size(), 2u);
    ExpectPrompt(script.prompts[0], window, "There is no drawing to report.", "Warning", MB_OK | MB_ICONWARNING);
    EXPECT_EQ(reportDialogs, 0);

    Open(ExamplePath("house.Zlv"));
    reportPath.clear();
    Command(IDM_FILE_EXPORT_REPORT);
    EXPECT_EQ(reportDialogs, 1);
    EXPECT_EQ(watch->Created(Running), 0) << "nothing is calculated for a cancelled export";
}

// The dialog before the report: prefilled with what the drawing remembers, what is typed is kept as an
// edit that Undo takes back, and Cancel makes no report and changes nothing.
TEST_F(ReportExport, SignaturesAreAskedPrefilledAndKeptInTheDrawing) {
    AskReportSignatures = savedSignatures;
    watch->OnActivate("Report", AnswerDialog);
    Open(ExamplePath("house.Zlv"));
    reportPath = TempPath("signed.pdf");
    std::string project = "?", checker = "?";
    QueueDialogSteps({Read(IDC_REPORT_PROJECT, &project), Type(IDC_REPORT_PROJECT, "Depot 7"),
                      Type(IDC_REPORT_CHECKER, "Ελένη Παππά"), Press(IDOK)});
    Command(IDM_FILE_EXPORT_REPORT);
    EXPECT_EQ(project, "");
    EXPECT_EQ(reportDialogs, 1);
    EXPECT_EQ(MainSession().drawing.assessment.signatures.project, "Depot 7");
    EXPECT_EQ(MainSession().drawing.assessment.signatures.checker, "Ελένη Παππά");
    EXPECT_EQ(MainSession().drawing.modified, 1);

    QueueDialogSteps({Read(IDC_REPORT_PROJECT, &project), Read(IDC_REPORT_CHECKER, &checker), Press(IDCANCEL)});
    Command(IDM_FILE_EXPORT_REPORT);
    EXPECT_EQ(project, "Depot 7");
    EXPECT_EQ(checker, "Ελένη Παππά");
    EXPECT_EQ(reportDialogs, 1) << "a cancelled dialog makes no report";

    Command(IDM_EDIT_UNDO);
    EXPECT_EQ(MainSession().drawing.assessment.signatures.project, "");
    EXPECT_EQ(MainSession().drawing.assessment.signatures.checker, "");
    EXPECT_EQ(DialogStepsLeft(), 0u);
}
