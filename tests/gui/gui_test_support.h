// The harness of the window tests: a hidden main window per test, scripted answers for the message
// boxes and the file dialogs, a watch over modal dialogs, and readers of the real controls.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/session.h"
#include "engine/run/calc_records.h"
#include "model/drawing.h"
#include "shell/file_commands_win.h"
#include "tests/drawing_builders.h"
#include "ui/prompt_win.h"

struct PromptCall {
    HWND owner;
    std::string text;
    std::string caption;
    UINT flags;
};

struct FileDialogCall {
    bool save;
    std::string proposed;  // the name the dialog opened with
};

// What the seams answer and what they were asked, in order. A question with no queued answer is a
// test failure; so is a queued answer nobody asked for.
struct Script {
    std::deque<int> answers;
    std::vector<PromptCall> prompts;
    std::deque<std::optional<std::string>> fileNames;  // nullopt: the user cancels
    std::vector<FileDialogCall> fileDialogs;
};
extern Script script;

// Watches the modal dialogs of the thread through a CBT hook. Handlers run as a dialog of the given
// caption is created (before its WM_INITDIALOG) or activated. A watchdog timer ends any dialog still up
// after a few seconds, so that a missing answer fails the test instead of hanging it. Dialogs and help
// windows are shown off the screen (see ShowHookProc).
class DialogWatch {
  public:
    using Handler = std::function<void(HWND dialog)>;
    DialogWatch();
    ~DialogWatch();
    DialogWatch(const DialogWatch&) = delete;
    DialogWatch& operator=(const DialogWatch&) = delete;

    void OnCreate(const std::string& caption, Handler handler);
    void OnActivate(const std::string& caption, Handler handler);
    void ClearHandlers();
    int Created(const std::string& caption) const;
    bool watchdogFired = false;

  private:
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK ShowHookProc(int code, WPARAM wParam, LPARAM lParam);
    static void CALLBACK WatchdogProc(HWND, UINT, UINT_PTR, DWORD);
    HHOOK hook = nullptr;
    HHOOK showHook = nullptr;
    UINT_PTR timer = 0;
    std::vector<std::pair<std::string, Handler>> createHandlers, activateHandlers;
    std::vector<std::string> created;
};

// Every position and range the progress bar of the calculation dialog was given.
struct ProgressSeen {
    std::vector<int> positions;
    int rangeTop = -1;
};
extern ProgressSeen progressSeen;

class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Destroys the window (answering No to a save question) and makes another with this command line.
    void Recreate(const wchar_t* commandLine);
    // Destroys the window, if still there, and drops the quit message its destruction posts.
    void DestroyMainWindow();

    void Command(int id);  // a menu command, or a button's command whatever its state
    void Click(int id);    // a real click on an enabled button, which toggles its check first
    void Escape();
    void Open(const std::string& path);  // File > Open answered with path, which must open

    HWND window = nullptr;
    DialogWatch* watch = nullptr;

  private:
    PromptFn savedPrompt = nullptr;
    FileDialogFn savedAskFileName = nullptr;
};

void RegisterMainClassesOnce();  // the main window's classes, kept for the rest of the run
void PumpMessages();
void MoveOffScreen(HWND window);  // shown there, a window is not mapped under Wine

// The six buttons, Draw to View Am, one character each: '-' disabled and plain, 'o' enabled and plain,
// 'H' highlighted (pressed, not checked), 'X' checked, 'P' checked and pressed, '?' anything else.
std::string Looks(HWND window);
// The enabled menu groups: "new" (New, Open, Import), "save" (Save, Save as, Close), "export",
// "calc" (Options > Calculation), "draw" (Options > Draw). A group split within itself shows as
// "name?"; any of Quit, Simplified calculation and the Help items disabled adds "fixed-off".
std::string Menus(HWND window);

std::string WindowsPath(std::string path);  // a path of the build, as Wine names it
std::string ExamplePath(const char* name);  // a stored example, as a Windows path
std::string TempPath(const char* name);     // in a folder of this run's own, removed at exit
std::wstring Wide(const std::string& text);

std::string CopyOfExample(const char* name);  // a temporary copy that tests may overwrite

// The session of the main window under test, reached as the program's own code reaches it.
Session& MainSession();

// What the session held as the main window let it go with itself, seen on the window's last message.
struct SessionAtEnd {
    int isOpen = -1;
    int modified = -1;
    bool highlightEmpty = false;
};
void WatchSessionEnd(HWND window, SessionAtEnd* seen);

// For tests that paint without the main window: a hidden plain window stands in for it, holding a
// session of its own where the glue looks for the main window's.
class SessionHost {
  public:
    SessionHost();
    ~SessionHost();
    SessionHost(const SessionHost&) = delete;
    SessionHost& operator=(const SessionHost&) = delete;

  private:
    Session session;
    HWND window = nullptr;
};

// A rectangular contour appended to the calculation result, for the result views.
void AddContour(bool ad, bool hole, double left, double top, double right, double bottom);
// The made-up result, with these contour count or areas, shown for the drawing as it is now.
void ShowContours(int32_t count);
void ShowAreas(double ad, double am);
// The result shown for the drawing as it is now.
const CalcResult& CurrentResult();
// The drawing, the modes, the canvas, the editing tools and the result as at start-up; with no main
// window, only the made-up result goes.
void ResetEverything();

// The prompt expected, checked field by field so that a mismatch names the field.
void ExpectPrompt(const PromptCall& call, HWND owner, const char* text, const char* caption, UINT flags);

// What zelvora-cli prints to its standard output when run as a process with these arguments (after its
// name), and its exit status.
std::string CommandLineOutput(const std::string& arguments, DWORD* exitCode);
