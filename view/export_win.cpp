#include "view/export_win.h"

#include <windowsx.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/main_modes.h"
#include "app/session.h"
#include "app/shown_result.h"
#include "exchange/outline_export.h"
#include "model/drawing.h"
#include "model/file_io.h"
#include "text/ui_texts.h"
#include "ui/app_windows_win.h"
#include "ui/file_dialog_win.h"
#include "ui/gdi_guards_win.h"
#include "ui/prompt_win.h"
#include "ui/window_class_win.h"
#include "view/bmp_layout.h"
#include "view/canvas_win.h"
#include "view/renderer_win.h"
#include "view/status_texts.h"

namespace {

constexpr int MetafileScale = 1000;  // logical units per pixel: a fine grid for the vector picture

struct ExportJob {
    ExportType type = ExportType::None;
    std::string target;  // the name the user chose; empty for the clipboard
    bool written = false;
    bool reported = false;  // a failure message has been shown already
};

ExportJob job;

// The filters come in the order of the export types.
ExportType ShowExportDialog(char* path) {
    return static_cast<ExportType>(ShowFileDialog(mainWindow, {TEXT_EXPORT_FILTER, TEXT_EXPORT_EXTENSION, true}, path));
}

void Failed(HWND owner, const char* text) {
    job.reported = true;
    Prompt(owner, text, TEXT_FAILED, MB_OK);
}

bool ResultViewShown() {
    Session& session = SessionOf(mainWindow);
    return session.mainModes.viewMode == AdView || session.mainModes.viewMode == AmView;
}

// The frame of the picture in hundredths of a millimetre of the screen: exactly the area the white
// background covers. Computed here in 64 bits, since some GDIs overflow when they derive it from
// logical coordinates this large.
RECT MetafileFrame(const RECT& r) {
    WindowDc screen(nullptr);
    long long mmWide = GetDeviceCaps(screen.dc, HORZSIZE), mmHigh = GetDeviceCaps(screen.dc, VERTSIZE);
    long long pixelsWide = GetDeviceCaps(screen.dc, HORZRES), pixelsHigh = GetDeviceCaps(screen.dc, VERTRES);
    RECT frame = {0, 0, static_cast<LONG>(r.right * mmWide * 100 / pixelsWide),
                  static_cast<LONG>(r.bottom * mmHigh * 100 / pixelsHigh)};
    return frame;
}

// A white frame over all of R, the result view without its own label, then the caption in large bold
// italic letters that keep their size when the picture is scaled. Drawn into the file at path, or into
// memory without one; null when GDI cannot make it.
HENHMETAFILE DrawMetafile(HWND window, const char* path) {
    Session& session = SessionOf(mainWindow);
    RECT client;
    GetClientRect(window, &client);
    RECT r = {0, 0, client.right * MetafileScale, client.bottom * MetafileScale};
    RECT frame = MetafileFrame(r);
    HDC metafile = CreateEnhMetaFileA(nullptr, path, &frame, TEXT_METAFILE_DESCRIPTION);
    if (!metafile)
        return nullptr;
    bool ad = session.mainModes.viewMode == AdView;
    {
        GdiObject<HPEN> white(CreatePen(PS_SOLID, 0, RGB(255, 255, 255)));
        SelectScope useWhite(metafile, white.handle);
        Rectangle(metafile, r.left, r.top, r.right, r.bottom);
    }
    DrawResultView(r, metafile, ad, ResultLabel::None);
    const CalcResult& result = session.shownResult.of(session.drawing);
    std::string label = PictureCaption(ad, ad ? result.ad : result.am);
    GdiObject<HFONT> font(CreateFontA(8000, 0, 0, 0, FW_BOLD, TRUE, FALSE, FALSE, 0, OUT_DEFAULT_PRECIS,
                                      CLIP_DEFAULT_PRECIS, PROOF_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                      "SYSTEM_FIXED_FONT"));
    {
        SelectScope useFont(metafile, font.handle);
        DrawTextA(metafile, label.c_str(), -1, &r, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_EXTERNALLEADING | DT_NOPREFIX);
    }
    return CloseEnhMetaFile(metafile);
}

// GDI writes the metafile itself, into a temporary file of our own beside the target that replaces the
// target once complete.
void ExportMetafile(HWND window) {
    std::string temporary;
    FILE* reserved = CreateTemporaryBeside(job.target.c_str(), &temporary);
    HENHMETAFILE done = nullptr;
    if (reserved) {
        fclose(reserved);
        done = DrawMetafile(window, temporary.c_str());
    }
    if (!done) {
        Failed(window, TEXT_METAFILE_FAILED);
    } else {
        DeleteEnhMetaFile(done);
        job.written = MoveFileOver(temporary.c_str(), job.target.c_str());
    }
    if (reserved && !job.written)
        DeleteFileA(temporary.c_str());
}

// The result view as the canvas shows it, rendered at the canvas's client size into memory rather
// than copied from the screen, so that a covered or off-screen window still exports the right picture:
// the bytes of a BMP file, or none when no bitmap can be made.
std::vector<uint8_t> DrawBitmap() {
    RECT client;
    GetClientRect(canvasWindow, &client);
    int width = client.right, height = client.bottom;
    MemoryCanvas canvas(width, height);
    if (!canvas.ready()) {
        Failed(canvasWindow, TEXT_BITMAP_FAILED);
        return {};
    }
    PaintCanvas(canvas.dc, width, height, ResultLabel::Caption);
    GdiFlush();
    std::vector<uint8_t> bytes = BmpHeader(width, height);
    bytes.reserve(bytes.size() + static_cast<size_t>(width) * height * 4);
    for (int row = height - 1; row >= 0; row--) {  // bottom row first
        const uint8_t* first = reinterpret_cast<const uint8_t*>(canvas.pixels + static_cast<size_t>(row) * width);
        for (int x = 0; x < width; x++) {
            bytes.insert(bytes.end(), first + 4 * x, first + 4 * x + 3);
            bytes.push_back(0);
        }
    }
    return bytes;
}

void ExportBitmap() {
    std::vector<uint8_t> bytes = DrawBitmap();
    job.written = !bytes.empty() && WriteFileAtomically(job.target.c_str(), bytes);
}

// Both pictures go onto the clipboard: the metafile for a report to scale, the bitmap (a BMP without
// its file header) for programs that take only pixels. The clipboard owns what it is given.
void CopyToClipboard(HWND window) {
    HENHMETAFILE metafile = DrawMetafile(window, nullptr);
    std::vector<uint8_t> bitmap = DrawBitmap();
    HGLOBAL dib =
        bitmap.size() > BmpFileHeaderSize ? GlobalAlloc(GMEM_MOVEABLE, bitmap.size() - BmpFileHeaderSize) : nullptr;
    if (dib) {
        memcpy(GlobalLock(dib), bitmap.data() + BmpFileHeaderSize, bitmap.size() - BmpFileHeaderSize);
        GlobalUnlock(dib);
    }
    bool placed = metafile && dib && OpenClipboard(mainWindow);
    if (placed) {
        EmptyClipboard();
        placed = SetClipboardData(CF_ENHMETAFILE, metafile) && SetClipboardData(CF_DIB, dib);
        CloseClipboard();
    } else {
        if (metafile)
            DeleteEnhMetaFile(metafile);
        if (dib)
            GlobalFree(dib);
    }
    job.written = placed;
}

BOOL OnCreate(HWND window, LPCREATESTRUCTA) {
    if (job.target.empty())
        CopyToClipboard(window);
    else if (job.type == ExportType::Metafile)
        ExportMetafile(window);
    else if (job.type == ExportType::Bitmap)
        ExportBitmap();
    return TRUE;
}

LRESULT CALLBACK ExportWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) { HANDLE_MSG(window, WM_CREATE, OnCreate); }
    return DefWindowProcA(window, msg, wParam, lParam);
}

// The shown view's outline and the footprint, in the coordinates the drawing was imported from.
bool ExportOutlines() {
    Session& session = SessionOf(mainWindow);
    SourceFormat format = job.type == ExportType::Dxf ? SourceFormat::Dxf : SourceFormat::GeoJson;
    OutlineView view = session.mainModes.viewMode == AdView ? OutlineView::Ad : OutlineView::Am;
    ExportError error =
        WriteOutlineFile(job.target.c_str(), format, session.drawing, session.shownResult.of(session.drawing), view);
    if (error != ExportError::None)
        Failed(mainWindow, ExportErrorText(error));
    return error == ExportError::None;
}

bool ExportPicture() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!RegisterWindowClass({TEXT_EXPORT_CLASS, ExportWindowProc, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))}))
        return false;
    HWND window = CreateWindowExA(0, TEXT_EXPORT_CLASS, TEXT_EXPORT_CLASS, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                  CW_USEDEFAULT, 400, 400, mainWindow, nullptr, instance, nullptr);
    if (window)
        DestroyWindow(window);
    UnregisterClassA(TEXT_EXPORT_CLASS, instance);
    if (!job.written && !job.reported)  // a picture that did not reach its place is never passed over in silence
        Failed(mainWindow, job.target.empty() ? TEXT_COPY_FAILED : TEXT_WRITE_FAILED);
    return job.written;
}

}  // namespace

ExportDialogFn AskExportFile = ShowExportDialog;

// Every format goes to a temporary file beside the target and replaces it only when complete, so a
// failed export leaves an existing file as it was; a cancelled dialog writes nothing.
bool ExportDrawing() {
    if (!ResultViewShown())
        return false;  // only the Ad and Am views have something to export
    char path[MAX_PATH] = {};
    job = ExportJob();
    job.type = AskExportFile(path);
    if (job.type == ExportType::None || !path[0])
        return false;
    job.target = path;
    return job.type == ExportType::Dxf || job.type == ExportType::GeoJson ? ExportOutlines() : ExportPicture();
}

bool CopyPicture() {
    if (!ResultViewShown())
        return false;
    job = ExportJob();
    return ExportPicture();
}
