// The guide's windows and the About box.
#include <algorithm>
#include <cstring>
#include <string>

#include "resources/resource.h"
#include "tests/gui/gui_test_support.h"

namespace {

constexpr int GuideLines = 189;

class HelpAndAbout : public MainWindowTest {
  protected:
    // The help windows of this thread, in no particular order.
    static std::vector<HWND> HelpWindows() {
        std::vector<HWND> found;
        EnumThreadWindows(
            GetCurrentThreadId(),
            [](HWND candidate, LPARAM list) -> BOOL {
                char name[32] = {};
                GetClassNameA(candidate, name, sizeof name);
                if (strcmp(name, "Help Window") == 0)
                    reinterpret_cast<std::vector<HWND>*>(list)->push_back(candidate);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&found));
        return found;
    }

    HWND OpenGuide() {
        std::vector<HWND> before = HelpWindows();
        Command(IDM_HELP_GUIDE);
        for (HWND help : HelpWindows())
            if (std::find(before.begin(), before.end(), help) == before.end())
                return help;
        return nullptr;
    }

    static int Position(HWND help) { return GetScrollPos(GetDlgItem(help, 1), SB_CTL); }

    static void Scroll(HWND help, int request, int thumb = 0) {
        SendMessageA(help, WM_VSCROLL, MAKEWPARAM(request, thumb), reinterpret_cast<LPARAM>(GetDlgItem(help, 1)));
    }
};

// What the About box went through, read after it has gone.
struct AboutRun {
    HWND dialog = nullptr;
    int activations = 0;
    bool openAfterEscape = false;
    UINT closingKey = 0;  // 0: the Close button
};
AboutRun about;

// Runs once the Escape posted at activation has been handled: timers come after posted messages.
void CALLBACK AfterEscape(HWND dialog, UINT, UINT_PTR timer, DWORD) {
    KillTimer(dialog, timer);
    about.openAfterEscape = IsWindow(dialog) && IsWindowVisible(dialog);
    if (about.closingKey)
        PostMessageA(dialog, WM_KEYDOWN, about.closingKey, 0);
    else
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_ABOUT_CLOSE, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_ABOUT_CLOSE)));
}

// The texts of the About box's controls, one a line, then the box closed.
std::string aboutTexts;
void ReadAndCloseAbout(HWND dialog) {
    aboutTexts.clear();
    EnumChildWindows(
        dialog,
        [](HWND control, LPARAM) -> BOOL {
            char text[128] = {};
            GetWindowTextA(control, text, sizeof text);
            aboutTexts += std::string(text) + "\n";
            return TRUE;
        },
        0);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_ABOUT_CLOSE, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_ABOUT_CLOSE)));
}

void AnswerAbout(HWND dialog) {
    about.dialog = dialog;
    about.activations++;
    PostMessageA(dialog, WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    SetTimer(dialog, 1, 50, AfterEscape);
}

}  // namespace

TEST_F(HelpAndAbout, GuideOpensInAWindowOwnedByTheMainWindow) {
    HWND help = OpenGuide();
    ASSERT_NE(help, nullptr);
    char title[64] = {};
    GetWindowTextA(help, title, sizeof title);
    EXPECT_STREQ(title, "Help Window");
    EXPECT_EQ(GetWindow(help, GW_OWNER), window);
    EXPECT_TRUE(IsWindowVisible(help));
    int low = -1, high = -1;
    GetScrollRange(GetDlgItem(help, 1), SB_CTL, &low, &high);
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, GuideLines);
    EXPECT_EQ(Position(help), 0);
    EXPECT_NE(OpenGuide(), nullptr) << "each command opens another window";
    EXPECT_EQ(HelpWindows().size(), 2u);
}

// A page is as many whole lines as the client area holds.
TEST_F(HelpAndAbout, GuideScrollBarFollowsEveryKindOfRequest) {
    HWND help = OpenGuide();
    ASSERT_NE(help, nullptr);
    HDC dc = GetDC(help);
    TEXTMETRICA metrics;
    GetTextMetricsA(dc, &metrics);
    ReleaseDC(help, dc);
    RECT client;
    GetClientRect(help, &client);
    int page = client.bottom / (metrics.tmHeight + metrics.tmExternalLeading);
    ASSERT_GT(page, 1);
    ASSERT_LT(page, GuideLines / 2);

    struct Step {
        int request, thumb, expected;
    };
    const Step steps[] = {
        {SB_PAGEDOWN, 0, page},
        {SB_LINEDOWN, 0, page + 1},
        {SB_PAGEUP, 0, 1},
        {SB_LINEUP, 0, 0},
        {SB_LINEUP, 0, 0},
        {SB_PAGEUP, 0, 0},
        {SB_THUMBPOSITION, 40, 40},
        {SB_THUMBTRACK, 10, 40},
        {SB_ENDSCROLL, 0, 40},
        {SB_BOTTOM, 0, GuideLines},
        {SB_PAGEDOWN, 0, GuideLines},
        {SB_LINEDOWN, 0, GuideLines},
        {SB_PAGEUP, 0, GuideLines - page},
        {SB_TOP, 0, 0},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(testing::Message() << "request " << step.request);
        Scroll(help, step.request, step.thumb);
        EXPECT_EQ(Position(help), step.expected);
    }
}

TEST_F(HelpAndAbout, ASecondGuideWindowStartsAtTheTop) {
    HWND first = OpenGuide();
    ASSERT_NE(first, nullptr);
    Scroll(first, SB_THUMBPOSITION, 30);
    HWND second = OpenGuide();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(Position(second), 0);
    EXPECT_EQ(Position(first), 30);
}

// The version shown is the project's, in the About box and at the end of the window's title.
TEST_F(HelpAndAbout, AboutAndTitleShowTheProjectVersion) {
    watch->OnActivate("About", ReadAndCloseAbout);
    Command(IDM_HELP_ABOUT);
    watch->ClearHandlers();
    EXPECT_NE(aboutTexts.find("\nZelvora by graphic method v" ZELVORA_PROJECT_VERSION "\n"), std::string::npos)
        << aboutTexts;
    char title[128] = {};
    GetWindowTextA(window, title, sizeof title);
    std::string expected = "Zelvora v" ZELVORA_PROJECT_VERSION, shown = title;
    EXPECT_TRUE(shown.size() >= expected.size() &&
                shown.compare(shown.size() - expected.size(), std::string::npos, expected) == 0)
        << shown;
}

TEST_F(HelpAndAbout, AboutIgnoresEscapeAndClosesWithItsButton) {
    for (UINT closingKey : {0u, static_cast<UINT>(VK_RETURN)}) {
        SCOPED_TRACE(closingKey ? "Enter" : "Close button");
        about = AboutRun();
        about.closingKey = closingKey;
        watch->OnActivate("About", AnswerAbout);
        Command(IDM_HELP_ABOUT);
        EXPECT_EQ(about.activations, 1);
        EXPECT_TRUE(about.openAfterEscape) << "Escape closed the About box";
        EXPECT_FALSE(IsWindow(about.dialog));
        watch->ClearHandlers();
    }
    EXPECT_TRUE(IsWindowEnabled(window));
}
