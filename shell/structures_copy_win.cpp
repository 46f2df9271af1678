#include "shell/structures_copy_win.h"

#include <cstring>
#include <string>

#include "assessment/assessment_output.h"
#include "assessment/assessment_table.h"
#include "assessment/table_copy.h"
#include "model/file_io.h"
#include "text/structures_texts.h"
#include "text/ui_texts.h"
#include "ui/file_dialog_win.h"
#include "ui/prompt_win.h"

namespace {

// Moveable global memory holding the bytes and a terminating zero, as the clipboard takes text.
HGLOBAL GlobalCopy(const void* bytes, size_t size, size_t zeroBytes) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size + zeroBytes);
    if (!memory)
        return nullptr;
    char* place = static_cast<char*>(GlobalLock(memory));
    memcpy(place, bytes, size);
    memset(place + size, 0, zeroBytes);
    GlobalUnlock(memory);
    return memory;
}

// The clipboard owns what it was given; what it refused is still ours to free.
void Offer(UINT format, HGLOBAL memory) {
    if (memory && !SetClipboardData(format, memory))
        GlobalFree(memory);
}

std::wstring Wide(const std::string& utf8) {
    int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), length);
    return wide;
}

bool EndsWith(const std::string& text, const char* end) {
    size_t n = strlen(end);
    if (text.size() < n)
        return false;
    for (size_t i = 0; i < n; i++)
        if (tolower(static_cast<unsigned char>(text[text.size() - n + i])) != end[i])
            return false;
    return true;
}

}  // namespace

bool CopyStructureRows(HWND owner, const AssessmentResult& result, const std::vector<int32_t>& rows) {
    std::string tabs = TableTabText(result, rows);
    std::string csv = TableCsvText(result, rows);
    std::wstring wide = Wide(tabs);
    if (!OpenClipboard(owner))
        return false;
    EmptyClipboard();
    Offer(CF_UNICODETEXT, GlobalCopy(wide.data(), wide.size() * sizeof(wchar_t), sizeof(wchar_t)));
    // The program's 8-bit code page is UTF-8, so the 8-bit forms carry the same bytes.
    Offer(CF_TEXT, GlobalCopy(tabs.data(), tabs.size(), 1));
    Offer(RegisterClipboardFormatA("Csv"), GlobalCopy(csv.data(), csv.size(), 1));
    CloseClipboard();
    return true;
}

void ExportStructures(HWND owner, const Drawing& source, const AssessmentResult& result) {
    char path[MAX_PATH] = {};
    FileDialogSpec request = {TEXT_STRUCTURES_EXPORT_FILTER, "csv", true};
    DWORD chosen = ShowFileDialog(owner, request, path);
    if (chosen == 0)
        return;
    std::string name = path;
    bool geojson = EndsWith(name, ".geojson") || EndsWith(name, ".json") || (chosen == 2 && !EndsWith(name, ".csv"));
    std::string text;
    if (geojson && !AssessmentGeoJson(source, result, &text)) {
        Prompt(owner, TEXT_STRUCTURES_FOOTPRINT_FAILED, TEXT_FAILED, MB_OK);
        return;
    }
    if (!geojson)
        text = AssessmentCsv(result);
    if (!WriteFileAtomically(path, std::vector<uint8_t>(text.begin(), text.end())))
        Prompt(owner, TEXT_WRITE_FAILED, TEXT_FAILED, MB_OK);
}
