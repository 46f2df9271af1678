// Tests of Data > Export Draw: the BMP and EMF files, what a cancelled, failed or repeated export leaves
// on disk, and the save dialog itself.
#include <windows.h>

#include <commctrl.h>
#include <dlgs.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/drawing_lifecycle.h"
#include "app/main_modes.h"
#include "editing/edit_state.h"
#include "engine/run/calc_records.h"
#include "model/drawing.h"
#include "shell/main_window_win.h"
#include "tests/gui/gui_test_support.h"
#include "text/ui_texts.h"
#include "ui/app_windows_win.h"
#include "ui/gdi_guards_win.h"
#include "ui/prompt_win.h"
#include "view/canvas_state.h"
#include "view/canvas_win.h"
#include "view/export_win.h"

namespace fs = std::filesystem;

namespace {

const int Width = 700, Height = 400;

struct Folder {
    Folder() : path(fs::temp_directory_path() / ("zelvora-export-" + std::to_string(GetCurrentProcessId()))) {
        fs::create_directories(path);
    }
    ~Folder() {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
    fs::path path;
};

std::string InFolder(const char* name) {
    static const Folder folder;
    return (folder.path / name).string();
}

std::vector<uint8_t> Bytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void Write(const std::string& path, size_t size, char fill) {
    std::ofstream(path, std::ios::binary) << std::string(size, fill);
}

uint32_t LittleEndian(const std::vector<uint8_t>& bytes, size_t offset, int size) {
    uint32_t value = 0;
    for (int i = size - 1; i >= 0; i--)
        value = (value << 8) | bytes[offset + i];
    return value;
}

struct Answer {
    ExportType type = ExportType::None;
    std::string path;
    int asked = 0;
} answer;

ExportType AnswerExportDialog(char* path) {
    answer.asked++;
    strcpy(path, answer.path.c_str());
    return answer.type;
}

std::vector<std::string> prompts;

int RecordPrompt(HWND, const char* text, const char* caption, UINT) {
    prompts.push_back(std::string(caption) + ": " + text);
    return IDOK;
}

// A hidden main window showing a result view on a canvas of 700 x 400 client pixels.
class Export : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetEverything();
        prompts.clear();
        answer = Answer();
        savedPrompt = Prompt;
        savedDialog = AskExportFile;
        Prompt = RecordPrompt;
        AskExportFile = AnswerExportDialog;
        RegisterMainClassesOnce();
        window = CreateMainWindow(GetModuleHandleA(nullptr), L"zelvora.exe");
        ASSERT_NE(window, nullptr);

        MainSession().drawing.isOpen = MainSession().drawing.calcReady = 1;
        PolygonRecord structure;
        structure.x = {10.0, 40.0, 40.0, 10.0};
        structure.y = {40.0, 40.0, 60.0, 60.0};
        structure.height = {5.0, 5.0, 5.0, 5.0};
        structure.vertexCount = 4;
        MainSession().drawing.polygons.appendPolygon(structure);
        AddContour(true, false, 0.0, 0.0, 50.0, 100.0);         // Ad: the full height, x 250..449
        AddContour(false, false, -100.0, -75.0, 150.0, 175.0);  // Am: the full height, x 150..549
        ShowAreas(0.012345, 2.5);
        ShowView(AdView);
    }

    void TearDown() override {
        MainSession().drawing.modified = 0;
        if (IsWindow(window))
            DestroyWindow(window);
        PumpMessages();
        Prompt = savedPrompt;
        AskExportFile = savedDialog;
        ResetEverything();
    }

    // The client area excludes the scroll bars, which come and go with the view's scroll range.
    void ShowView(int32_t view) {
        MainSession().mainModes.viewMode = view;
        for (int attempt = 0; attempt < 4; attempt++) {
            RECT client, outer;
            GetClientRect(canvasWindow, &client);
            if (client.right == Width && client.bottom == Height)
                return;
            GetWindowRect(canvasWindow, &outer);
            MoveWindow(canvasWindow, 10, 40, outer.right - outer.left + Width - client.right,
                       outer.bottom - outer.top + Height - client.bottom, FALSE);
        }
        RECT client;
        GetClientRect(canvasWindow, &client);
        ASSERT_EQ(client.right, Width);
        ASSERT_EQ(client.bottom, Height);
    }

    bool ExportAs(ExportType type, const std::string& path) {
        answer.type = type;
        answer.path = path;
        return ExportDrawing();
    }

    HWND window = nullptr;
    PromptFn savedPrompt = nullptr;
    ExportDialogFn savedDialog = nullptr;
};

// The records of an EMF file of the given type, each as its own bytes.
std::vector<std::vector<uint8_t>> Records(const std::vector<uint8_t>& file, DWORD type) {
    std::vector<std::vector<uint8_t>> found;
    for (size_t at = 0; at + 8 <= file.size();) {
        uint32_t size = LittleEndian(file, at + 4, 4);
        if (size < 8 || at + size > file.size())
            break;
        if (LittleEndian(file, at, 4) == type)
            found.emplace_back(file.begin() + at, file.begin() + at + size);
        at += size;
    }
    return found;
}

std::string TextOf(const std::vector<uint8_t>& record) {
    EMREXTTEXTOUTW text;
    memcpy(&text, record.data(), sizeof text);
    std::string chars;
    for (DWORD i = 0; i < text.emrtext.nChars; i++)
        chars += static_cast<char>(LittleEndian(record, text.emrtext.offString + 2 * i, 2));
    return chars;
}

}  // namespace

TEST_F(Export, BitmapIsTheResultViewBottomRowFirst) {
    for (int32_t view : {AdView, AmView}) {
        ShowView(view);
        std::string path = InFolder(view == AdView ? "ad.bmp" : "am.bmp");
        ASSERT_TRUE(ExportAs(ExportType::Bitmap, path));
        std::vector<uint8_t> file = Bytes(path);
        ASSERT_EQ(file.size(), 54u + Width * Height * 4u);
        EXPECT_EQ(file[0], 'B');
        EXPECT_EQ(file[1], 'M');
        EXPECT_EQ(LittleEndian(file, 2, 4), file.size());
        EXPECT_EQ(LittleEndian(file, 10, 4), 54u);
        EXPECT_EQ(LittleEndian(file, 14, 4), 40u);
        EXPECT_EQ(LittleEndian(file, 18, 4), static_cast<uint32_t>(Width));
        EXPECT_EQ(LittleEndian(file, 22, 4), static_cast<uint32_t>(Height));
        EXPECT_EQ(LittleEndian(file, 26, 2), 1u);
        EXPECT_EQ(LittleEndian(file, 28, 2), 32u);
        EXPECT_EQ(LittleEndian(file, 30, 4), 0u);

        // The window is hidden: only a picture rendered for the export can match the view, which the
        // picture's caption labels.
        MemoryCanvas view(Width, Height);
        PaintCanvas(view.dc, Width, Height, ResultLabel::Caption);
        GdiFlush();
        int mismatches = 0;
        for (int row = 0; row < Height; row++)
            for (int x = 0; x < Width; x++) {
                const uint8_t* p = &file[54 + (static_cast<size_t>(row) * Width + x) * 4];
                mismatches += RGB(p[2], p[1], p[0]) != view.pixel(x, Height - 1 - row) || p[3] != 0;
            }
        EXPECT_EQ(mismatches, 0);
        // The canvas's bottom row comes first: blue in the middle, and no label ink.
        const uint8_t* middle = &file[54 + 350 * 4];
        EXPECT_EQ(RGB(middle[2], middle[1], middle[0]), RGB(124, 124, 255));
        int ink = 0;
        for (int x = 0; x < 120; x++)
            ink += file[54 + x * 4] == 0;
        EXPECT_EQ(ink, 0);
        EXPECT_TRUE(prompts.empty()) << prompts.front();
        EXPECT_EQ(answer.asked, 1);
        answer.asked = 0;
    }
}

TEST_F(Export, TheChosenFilterDecidesTheTypeNotTheName) {
    std::string bitmap = InFolder("named.wmf"), metafile = InFolder("named.bmp");
    ASSERT_TRUE(ExportAs(ExportType::Bitmap, bitmap));
    std::vector<uint8_t> file = Bytes(bitmap);
    ASSERT_GE(file.size(), 2u);
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    ASSERT_TRUE(ExportAs(ExportType::Metafile, metafile));
    HENHMETAFILE picture = GetEnhMetaFileA(metafile.c_str());
    EXPECT_NE(picture, nullptr);
    DeleteEnhMetaFile(picture);
}

TEST_F(Export, MetafileHoldsTheViewAndOneLabel) {
    ShowView(AmView);
    std::string path = InFolder("am.wmf");
    ASSERT_TRUE(ExportAs(ExportType::Metafile, path));
    HENHMETAFILE picture = GetEnhMetaFileA(path.c_str());
    ASSERT_NE(picture, nullptr);
    ENHMETAHEADER header = {};
    ASSERT_NE(GetEnhMetaFileHeader(picture, sizeof header, &header), 0u);
    EXPECT_EQ(header.iType, static_cast<DWORD>(EMR_HEADER));
    EXPECT_EQ(header.dSignature, static_cast<DWORD>(ENHMETA_SIGNATURE));
    EXPECT_GT(header.rclFrame.right, header.rclFrame.left);
    EXPECT_GT(header.rclFrame.bottom, header.rclFrame.top);
    char description[200] = {};
    UINT length = GetEnhMetaFileDescriptionA(picture, sizeof description, description);
    EXPECT_GT(length, 0u);
    EXPECT_NE(std::string(description, strnlen(description, sizeof description)).find("Export - Zelvora"),
              std::string::npos);

    // Played into a picture of its own: the white frame covers all of it, with the Am area and the label.
    const uint32_t unpainted = 0x00030201;
    MemoryCanvas played(400, 400);
    std::fill(played.pixels, played.pixels + 400 * 400, unpainted);
    RECT all = {0, 0, 400, 400};
    EXPECT_TRUE(PlayEnhMetaFile(played.dc, picture, &all));
    GdiFlush();
    DeleteEnhMetaFile(picture);
    int left = 0, blue = 0, ink = 0;
    for (int y = 0; y < 400; y++)
        for (int x = 0; x < 400; x++) {
            left += played.pixels[y * 400 + x] == unpainted;
            blue += played.pixel(x, y) == RGB(124, 124, 255);
            ink += y < 40 && x < 200 && played.pixel(x, y) == RGB(0, 0, 0);
        }
    EXPECT_EQ(left, 0) << "the white frame does not cover the picture";
    EXPECT_GT(blue, 400 * 400 / 10);
    EXPECT_GT(ink, 10) << "no label ink at the top left";

    // The result view leaves its own label out: the only text is the bold italic 8000-unit one.
    std::vector<uint8_t> file = Bytes(path);
    std::vector<std::vector<uint8_t>> texts = Records(file, EMR_EXTTEXTOUTW);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(TextOf(texts[0]), "Am = 2 500 000 m\xB2 (2.50000e+00 km\xB2)");
    bool bigFont = false;
    for (const std::vector<uint8_t>& font : Records(file, EMR_EXTCREATEFONTINDIRECTW))
        bigFont = bigFont || (LittleEndian(font, 12, 4) == 8000 && LittleEndian(font, 28, 4) == 700 && font[32]);
    EXPECT_TRUE(bigFont);
    EXPECT_TRUE(prompts.empty()) << prompts.front();
}

// The frame, in hundredths of a millimetre of the screen, must describe the same picture as the bounds
// in its pixels: 1000 logical units a canvas pixel make both large, so the arithmetic needs 64 bits.
TEST_F(Export, MetafileFrameHasTheProportionsOfThePicture) {
    std::string path = InFolder("frame.wmf");
    ASSERT_TRUE(ExportAs(ExportType::Metafile, path));
    HENHMETAFILE picture = GetEnhMetaFileA(path.c_str());
    ASSERT_NE(picture, nullptr);
    ENHMETAHEADER header = {};
    GetEnhMetaFileHeader(picture, sizeof header, &header);
    DeleteEnhMetaFile(picture);
    EXPECT_GT(header.rclBounds.right, 100000);
    EXPECT_GT(header.rclBounds.bottom, 100000);
    double expectedWidth =
        static_cast<double>(header.rclBounds.right) * header.szlMillimeters.cx * 100 / header.szlDevice.cx;
    double expectedHeight =
        static_cast<double>(header.rclBounds.bottom) * header.szlMillimeters.cy * 100 / header.szlDevice.cy;
    EXPECT_NEAR(header.rclFrame.right, expectedWidth, expectedWidth / 100);
    EXPECT_NEAR(header.rclFrame.bottom, expectedHeight, expectedHeight / 100);
}

TEST_F(Export, CancelledDialogWritesNothing) {
    std::string path = InFolder("cancelled.bmp");
    EXPECT_FALSE(ExportAs(ExportType::None, path));  // a name typed, then Cancel
    EXPECT_EQ(answer.asked, 1);
    EXPECT_FALSE(fs::exists(path));
    EXPECT_FALSE(fs::exists(path + ".saving"));
    EXPECT_FALSE(ExportAs(ExportType::Bitmap, ""));
    WNDCLASSEXA exportClass = {};
    exportClass.cbSize = sizeof exportClass;
    EXPECT_FALSE(GetClassInfoExA(GetModuleHandleA(nullptr), "Export Window", &exportClass));
    EXPECT_TRUE(prompts.empty()) << prompts.front();
}

// A place that cannot be written is told to the user, once, and creates nothing.
TEST_F(Export, AMissingFolderIsReportedAndCreatesNothing) {
    fs::path folder = fs::path(InFolder("missing"));
    std::string path = (folder / "out.bmp").string();
    EXPECT_FALSE(ExportAs(ExportType::Bitmap, path));
    EXPECT_EQ(prompts, std::vector<std::string>{"Failed: Error to write file"});
    prompts.clear();
    EXPECT_FALSE(ExportAs(ExportType::Metafile, path));
    EXPECT_EQ(prompts, std::vector<std::string>{"Failed: CreateEnhMetaFile Failed"});
    EXPECT_FALSE(fs::exists(folder));
}

// A picture viewer holding the old picture open keeps it from being replaced; the finished picture then
// goes, and so does its temporary file, while a file of the user's that looks like one stays.
TEST_F(Export, AFailedExportLeavesTheExistingFileAsItWas) {
    for (ExportType type : {ExportType::Bitmap, ExportType::Metafile}) {
        std::string path = InFolder(type == ExportType::Bitmap ? "kept.bmp" : "kept.emf");
        Write(path, 1000, 'k');
        Write(path + ".saving", 10, 's');
        HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        EXPECT_FALSE(ExportAs(type, path));
        CloseHandle(held);
        EXPECT_EQ(Bytes(path), std::vector<uint8_t>(1000, 'k'));
        EXPECT_EQ(Bytes(path + ".saving"), std::vector<uint8_t>(10, 's'));
        EXPECT_EQ(prompts.size(), 1u) << "the failure is told once";
        for (const auto& entry : fs::directory_iterator(fs::path(path).parent_path()))
            EXPECT_NE(entry.path().filename().string()[0], '~') << "temporary file left: " << entry.path();
        prompts.clear();
    }
}

TEST_F(Export, ASuccessfulExportReplacesTheWholeFile) {
    std::string bitmap = InFolder("replaced.bmp"), metafile = InFolder("replaced.wmf");
    Write(bitmap, 2000000, 'x');
    Write(metafile, 2000000, 'x');
    ASSERT_TRUE(ExportAs(ExportType::Bitmap, bitmap));
    EXPECT_EQ(fs::file_size(bitmap), 54u + Width * Height * 4u);
    EXPECT_FALSE(fs::exists(bitmap + ".saving"));
    ASSERT_TRUE(ExportAs(ExportType::Metafile, metafile));
    HENHMETAFILE picture = GetEnhMetaFileA(metafile.c_str());
    ASSERT_NE(picture, nullptr);
    ENHMETAHEADER header = {};
    GetEnhMetaFileHeader(picture, sizeof header, &header);
    DeleteEnhMetaFile(picture);
    EXPECT_EQ(fs::file_size(metafile), header.nBytes);
    EXPECT_FALSE(fs::exists(metafile + ".saving"));
}

namespace {

std::string typedName;
std::string firstFilter;
HWND saveDialog = nullptr;
int complaints = 0;

bool IsDialog(HWND window) {
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    return strcmp(name, "#32770") == 0;
}

// The dialog fills its filter list after it is activated, so the answer is given from a timer that
// runs inside the dialog's own message loop: the name, the bitmap filter, then Save.
void CALLBACK FillSaveDialog(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND filters = GetDlgItem(saveDialog, cmb1);
    if (!IsWindow(saveDialog) || SendMessageA(filters, CB_GETCOUNT, 0, 0) < 2)
        return;
    KillTimer(nullptr, timer);
    char text[100] = {};
    SendMessageA(filters, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text));
    firstFilter = text;
    SendMessageA(filters, CB_SETCURSEL, 1, 0);
    for (WORD notification : {CBN_SELCHANGE, CBN_SELENDOK})  // as a choice with the mouse sends them
        SendMessageA(saveDialog, WM_COMMAND, MAKEWPARAM(cmb1, notification), reinterpret_cast<LPARAM>(filters));
    SetDlgItemTextA(saveDialog, edt1, typedName.c_str());
    SetDlgItemTextA(saveDialog, cmb13, typedName.c_str());
    PostMessageA(saveDialog, WM_COMMAND, IDOK, 0);
}

// Any dialog other than the save dialog itself (a complaint about the name) is counted and dismissed.
LRESULT CALLBACK AnswerSaveDialog(int code, WPARAM wParam, LPARAM lParam) {
    HWND dialog = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_ACTIVATE && dialog && IsDialog(dialog)) {
        if (!saveDialog) {
            saveDialog = dialog;
            SetTimer(nullptr, 0, 20, FillSaveDialog);
        } else if (dialog != saveDialog) {
            complaints++;
            PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Ends any dialog still up after a few seconds, so that a missed answer fails instead of hanging.
void CALLBACK Watchdog(HWND, UINT, UINT_PTR, DWORD) {
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND candidate, LPARAM) -> BOOL {
            if (IsDialog(candidate))
                EndDialog(candidate, IDCANCEL);
            return TRUE;
        },
        0);
}

}  // namespace

TEST_F(Export, SaveDialogAcceptsANewName) {
    AskExportFile = savedDialog;
    typedName = InFolder("new-picture");
    ASSERT_FALSE(fs::exists(typedName + ".wmf"));
    saveDialog = nullptr;
    complaints = 0;
    HHOOK hook = SetWindowsHookExA(WH_CBT, AnswerSaveDialog, nullptr, GetCurrentThreadId());
    UINT_PTR timer = SetTimer(nullptr, 0, 5000, Watchdog);
    char path[MAX_PATH] = {};
    ExportType type = AskExportFile(path);
    KillTimer(nullptr, timer);
    UnhookWindowsHookEx(hook);
    ASSERT_NE(saveDialog, nullptr);
    EXPECT_EQ(complaints, 0) << "the dialog complained about the name";
    EXPECT_EQ(type, ExportType::Bitmap);
    EXPECT_EQ(firstFilter, "Enhanced Metafile(*.emf)") << "an enhanced metafile is offered as one";
    EXPECT_EQ(CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, path, static_cast<int>(typedName.size()),
                             typedName.c_str(), -1),
              CSTR_EQUAL)
        << path;
    EXPECT_NE(strchr(path + typedName.size(), '.'), nullptr) << "no extension added to " << path;
}
