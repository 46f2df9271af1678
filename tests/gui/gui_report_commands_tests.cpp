// File > Export report...: the calculation behind the progress dialog, then the PDF; what a stop, a
// failed write and an empty drawing leave.
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "resources/resource.h"
#include "shell/report_commands_win.h"
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
        reportDialogs = 0;
    }
    void TearDown() override {
        AskReportFileName = saved;
        MainWindowTest::TearDown();
    }
    ReportFileDialogFn saved = nullptr;
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
