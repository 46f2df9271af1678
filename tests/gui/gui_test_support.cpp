#include "tests/gui/gui_test_support.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>

#include "app/drawing_lifecycle.h"
#include "app/main_modes.h"
#include "app/shown_result.h"
#include "editing/edit_state.h"
#include "engine/checks/polygon_checks.h"
#include "model/drawing_file.h"
#include "model/file_io.h"
#include "resources/resource.h"
#include "shell/file_commands_win.h"
#include "shell/main_window_win.h"
#include "shell/recent_files_win.h"
#include "text/ui_texts.h"
#include "ui/app_windows_win.h"
#include "ui/prompt_win.h"
#include "view/canvas_state.h"

Script script;
ProgressSeen progressSeen;

namespace {

CalcResult madeResult;  // what AddContour and ShowAreas build up

}  // namespace

namespace {

DialogWatch* currentWatch = nullptr;
WNDPROC progressBarProc = nullptr;
constexpr UINT WatchdogMilliseconds = 6000;

int ScriptedPrompt(HWND owner, const char* text, const char* caption, UINT flags) {
    script.prompts.push_back({owner, text ? text : "", caption ? caption : "", flags});
    if (!script.answers.empty()) {
        int answer = script.answers.front();
        script.answers.pop_front();
        return answer;
    }
    if ((flags & MB_TYPEMASK) == MB_OK)
        return IDOK;
    ADD_FAILURE() << "unanswered question: " << (text ? text : "");
    return IDNO;
}

bool ScriptedFileName(HWND, bool save, char* path) {
    script.fileDialogs.push_back({save, path});
    if (script.fileNames.empty()) {
        ADD_FAILURE() << "unexpected " << (save ? "Save" : "Open") << " dialog";
        return false;
    }
    std::optional<std::string> answer = script.fileNames.front();
    script.fileNames.pop_front();
    if (!answer)
        return false;
    strcpy(path, answer->c_str());
    return true;
}

// Records what the calculation tells its progress bar, then lets the bar do it.
LRESULT CALLBACK RecordingProgressProc(HWND bar, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == PBM_SETRANGE32)
        progressSeen.rangeTop = static_cast<int>(lParam);
    if (msg == PBM_SETPOS)
        progressSeen.positions.push_back(static_cast<int>(wParam));
    return CallWindowProcA(progressBarProc, bar, msg, wParam, lParam);
}

std::string ClassOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string TextOf(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

}  // namespace

// Other suites of this program may have registered the classes already.
void RegisterMainClassesOnce() {
    WNDCLASSEXA existing = {};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExA(GetModuleHandleA(nullptr), TEXT_PROGRAM_TITLE, &existing))
        return;
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES | ICC_PROGRESS_CLASS | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    ASSERT_TRUE(RegisterMainClasses());
}

namespace {

struct TempFolder {
    TempFolder()
        : path(std::filesystem::temp_directory_path() / ("zelvora-gui-" + std::to_string(GetCurrentProcessId()))) {
        std::filesystem::create_directories(path);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    std::filesystem::path path;
};

bool Enabled(HMENU menu, UINT id) {
    return (GetMenuState(menu, id, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)) == 0;
}

}  // namespace

void MoveOffScreen(HWND window) {
    SetWindowPos(window, nullptr, -4000, -4000, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

DialogWatch::DialogWatch() {
    currentWatch = this;
    hook = SetWindowsHookExA(WH_CBT, HookProc, nullptr, GetCurrentThreadId());
    showHook = SetWindowsHookExA(WH_CALLWNDPROC, ShowHookProc, nullptr, GetCurrentThreadId());
    timer = SetTimer(nullptr, 0, WatchdogMilliseconds, WatchdogProc);
}

DialogWatch::~DialogWatch() {
    KillTimer(nullptr, timer);
    UnhookWindowsHookEx(hook);
    UnhookWindowsHookEx(showHook);
    currentWatch = nullptr;
}

void DialogWatch::OnCreate(const std::string& caption, Handler handler) {
    createHandlers.emplace_back(caption, std::move(handler));
}

void DialogWatch::OnActivate(const std::string& caption, Handler handler) {
    activateHandlers.emplace_back(caption, std::move(handler));
}

void DialogWatch::ClearHandlers() {
    createHandlers.clear();
    activateHandlers.clear();
}

int DialogWatch::Created(const std::string& caption) const {
    int count = 0;
    for (const std::string& c : created)
        count += c == caption;
    return count;
}

// The caption is read from the creation record: the window has no text yet at that moment.
LRESULT CALLBACK DialogWatch::HookProc(int code, WPARAM wParam, LPARAM lParam) {
    HWND window = reinterpret_cast<HWND>(wParam);
    if (currentWatch && code == HCBT_CREATEWND) {
        const CREATESTRUCTA* create = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
        std::string className = ClassOf(window);
        if (className == "msctls_progress32") {
            progressBarProc = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingProgressProc)));
        } else if (className == "#32770" && create->lpszName && !IS_INTRESOURCE(create->lpszName)) {
            currentWatch->created.push_back(create->lpszName);
            for (auto& [caption, handler] : currentWatch->createHandlers)
                if (caption == create->lpszName)
                    handler(window);
        }
    }
    if (currentWatch && code == HCBT_ACTIVATE) {
        std::string caption = TextOf(window);
        for (auto& [expected, handler] : currentWatch->activateHandlers)
            if (expected == caption)
                handler(window);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Without a window manager, Wine waits two seconds for each shown top-level window to be withdrawn
// when it goes. A window placed off the screen before it shows is never mapped, so it goes at once;
// to the program it is as visible as any other.
LRESULT CALLBACK DialogWatch::ShowHookProc(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT* call = reinterpret_cast<CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == WM_SHOWWINDOW && call->wParam) {
        std::string className = ClassOf(call->hwnd);
        if (className == "#32770" || className == "Help Window")
            MoveOffScreen(call->hwnd);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// A calculation is asked to stop, since ending its dialog under the worker would leave the worker
// running; any other dialog is ended.
void CALLBACK DialogWatch::WatchdogProc(HWND, UINT, UINT_PTR, DWORD) {
    if (!currentWatch)
        return;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND candidate, LPARAM) -> BOOL {
            if (ClassOf(candidate) != "#32770")
                return TRUE;
            currentWatch->watchdogFired = true;
            if (TextOf(candidate) == "Calculation...")
                PostMessageA(candidate, WM_COMMAND, IDC_PROGRESS_CLOSE, 0);
            else
                EndDialog(candidate, 0);
            return TRUE;
        },
        0);
}

void MainWindowTest::SetUp() {
    RegisterMainClassesOnce();
    script = Script();
    progressSeen = ProgressSeen();
    savedPrompt = Prompt;
    savedAskFileName = AskFileName;
    Prompt = ScriptedPrompt;
    AskFileName = ScriptedFileName;
    watch = new DialogWatch;
    recentFilesIni = TempPath("recent.ini");  // never the user's own list
    DeleteFileA(recentFilesIni.c_str());
    window = CreateMainWindow(GetModuleHandleA(nullptr), L"zelvora.exe");
    ASSERT_NE(window, nullptr);
    PumpMessages();
}

void MainWindowTest::TearDown() {
    EXPECT_TRUE(script.answers.empty()) << "an answer was queued for a question never asked";
    EXPECT_TRUE(script.fileNames.empty()) << "a file name was queued for a dialog never shown";
    EXPECT_FALSE(watch->watchdogFired) << "a dialog had to be ended by the watchdog";
    DestroyMainWindow();
    delete watch;
    watch = nullptr;
    Prompt = savedPrompt;
    AskFileName = savedAskFileName;
}

void MainWindowTest::DestroyMainWindow() {
    if (IsWindow(window)) {
        script.answers.clear();
        script.fileNames.clear();
        if (MainSession().drawing.modified)
            script.answers.push_back(IDNO);
        DestroyWindow(window);
        script.answers.clear();
    }
    PumpMessages();
}

void MainWindowTest::Recreate(const wchar_t* commandLine) {
    DestroyMainWindow();
    window = CreateMainWindow(GetModuleHandleA(nullptr), commandLine);
    ASSERT_NE(window, nullptr);
    PumpMessages();
}

void MainWindowTest::Command(int id) {
    SendMessageA(window, WM_COMMAND, id, 0);
}

void MainWindowTest::Click(int id) {
    HWND button = GetDlgItem(window, id);
    ASSERT_TRUE(IsWindowEnabled(button)) << "button " << id << " cannot be clicked";
    SendMessageA(button, BM_CLICK, 0, 0);
}

void MainWindowTest::Open(const std::string& path) {
    script.fileNames.push_back(path);
    Command(IDM_FILE_OPEN);
    ASSERT_EQ(MainSession().drawing.isOpen, 1) << path;
}

// As the message loop meets the key: aimed at whatever has the focus, here a toolbar button, which
// keeps the focus after a click.
void MainWindowTest::Escape() {
    MSG key = {GetDlgItem(window, IDC_EDIT_BUTTON), WM_KEYDOWN, VK_ESCAPE, 0x00010001, 0, {0, 0}};
    EXPECT_TRUE(TranslateMainWindowKey(&key));
}

// The quit message that the window's destruction posts is dropped, so that no later modal loop sees it.
void PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT)
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

std::string Looks(HWND window) {
    std::string looks;
    for (int id = IDC_DRAW_BUTTON; id <= IDC_VIEW_AM_BUTTON; id++) {
        HWND button = GetDlgItem(window, id);
        bool enabled = IsWindowEnabled(button);
        bool checked = SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
        bool pressed = (SendMessageA(button, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
        if (!enabled)
            looks += (checked || pressed) ? '?' : '-';
        else
            looks += checked ? (pressed ? 'P' : 'X') : (pressed ? 'H' : 'o');
    }
    return looks;
}

std::string Menus(HWND window) {
    HMENU menu = GetMenu(window);
    struct Group {
        const char* name;
        std::vector<UINT> ids;
    };
    const Group groups[] = {
        {"new", {IDM_FILE_NEW, IDM_FILE_OPEN, IDM_DATA_IMPORT}},
        {"save", {IDM_FILE_SAVE, IDM_FILE_SAVE_AS, IDM_FILE_CLOSE}},
        {"export", {IDM_DATA_EXPORT}},
        {"calc", {IDM_OPTIONS_CALCULATION}},
        {"draw", {IDM_OPTIONS_DRAW}},
    };
    std::string menus;
    auto add = [&menus](const std::string& word) { menus += menus.empty() ? word : " " + word; };
    for (const Group& group : groups) {
        size_t on = 0;
        for (UINT id : group.ids)
            on += Enabled(menu, id);
        if (on == group.ids.size())
            add(group.name);
        else if (on > 0)
            add(std::string(group.name) + "?");
    }
    for (UINT id : {IDM_FILE_QUIT, IDM_TOOL_SIMPLIFIED, IDM_HELP_GUIDE, IDM_HELP_ABOUT}) {
        if (!Enabled(menu, id)) {
            add("fixed-off");
            break;
        }
    }
    return menus;
}

// Under Wine the build's Unix paths name drive Z:.
std::string WindowsPath(std::string path) {
    if (path[0] == '/')
        path = "Z:" + path;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

std::string ExamplePath(const char* name) {
    return WindowsPath(std::string(ZELVORA_EXAMPLES) + "/" + name);
}

std::string TempPath(const char* name) {
    static const TempFolder folder;
    return (folder.path / name).string();
}

std::wstring Wide(const std::string& text) {
    return std::wstring(text.begin(), text.end());
}

std::string CopyOfExample(const char* name) {
    std::string copy = TempPath(name);
    WriteBytes(copy, FileBytes(ExamplePath(name)));
    return copy;
}

void ExpectPrompt(const PromptCall& call, HWND owner, const char* text, const char* caption, UINT flags) {
    EXPECT_EQ(call.owner, owner);
    EXPECT_EQ(call.text, text);
    EXPECT_EQ(call.caption, caption);
    EXPECT_EQ(call.flags, flags);
}

void AddContour(bool ad, bool hole, double left, double top, double right, double bottom) {
    madeResult.contours.push_back({{left, top}, {right, top}, {right, bottom}, {left, bottom}});
    madeResult.adFlags.push_back(ad ? 1 : 0);
    madeResult.holeFlags.push_back(hole ? 1 : 0);
    ShowContours(static_cast<int32_t>(madeResult.contours.size()));
}

void ShowContours(int32_t count) {
    madeResult.contourCount = count;
    MainSession().shownResult.accept(MakeCalcInput(MainSession().drawing), MainSession().drawing.calcOptions,
                                     madeResult);
}

void ShowAreas(double ad, double am) {
    madeResult.ad = ad;
    madeResult.am = am;
    ShowContours(std::max(madeResult.contourCount, 1));
}

Session& MainSession() {
    return SessionOf(mainWindow);
}

namespace {

WNDPROC mainWindowProc = nullptr;
SessionAtEnd* sessionAtEnd = nullptr;

LRESULT CALLBACK SessionEndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCDESTROY && sessionAtEnd) {
        const Session& session = SessionOf(window);
        *sessionAtEnd = {session.drawing.isOpen, session.drawing.modified, session.structureHighlight.empty()};
        sessionAtEnd = nullptr;
    }
    return CallWindowProcA(mainWindowProc, window, msg, wParam, lParam);
}

}  // namespace

void WatchSessionEnd(HWND window, SessionAtEnd* seen) {
    sessionAtEnd = seen;
    WNDPROC previous =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SessionEndProc)));
    if (previous != SessionEndProc)
        mainWindowProc = previous;
}

SessionHost::SessionHost() {
    window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetSessionOf(window, &session);
    mainWindow = window;
}

SessionHost::~SessionHost() {
    mainWindow = nullptr;
    DestroyWindow(window);
}

const CalcResult& CurrentResult() {
    return MainSession().shownResult.of(MainSession().drawing);
}

void ResetEverything() {
    madeResult = CalcResult();
    if (!mainWindow)
        return;
    StartDrawing(MainSession());
    ResetMainModes(&MainSession().mainModes);
    ResetCanvasState(&MainSession().canvasState);
    DropPendingPolygon(&MainSession().editState);
    EndDrag(&MainSession().editState);
    MainSession().editState.dragOrigin = {0.0, 0.0};
    MainSession().shownResult.discard();
}

// Its progress on the error stream goes nowhere.
std::string CommandLineOutput(const std::string& arguments, DWORD* exitCode) {
    SECURITY_ATTRIBUTES inherited = {sizeof inherited, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherited, 0))
        return "";
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    HANDLE nowhere =
        CreateFileA("NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited, OPEN_EXISTING, 0, nullptr);
    STARTUPINFOA start = {};
    start.cb = sizeof start;
    start.dwFlags = STARTF_USESTDHANDLES;
    start.hStdOutput = writeEnd;
    start.hStdError = nowhere;
    std::string command = "\"" + WindowsPath(ZELVORA_CLI) + "\" " + arguments;
    PROCESS_INFORMATION process = {};
    BOOL started = CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr,
                                  &start, &process);
    CloseHandle(writeEnd);  // so that the read ends when the tool ends
    CloseHandle(nowhere);
    std::string output;
    if (started) {
        char buffer[512];
        DWORD got = 0;
        while (ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0)
            output.append(buffer, got);
        WaitForSingleObject(process.hProcess, 60000);
        GetExitCodeProcess(process.hProcess, exitCode);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    CloseHandle(readEnd);
    return output;
}
