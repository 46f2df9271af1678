#include "report/print_pages_win.h"

#include <cderr.h>
#include <commdlg.h>

#include "report/page_gdi_win.h"

namespace {

std::wstring Wide(const std::string& text) {
    int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring wide(length, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), wide.data(), length);
    return wide;
}

}  // namespace

PrintOutcome PrintPagesOn(HDC printer, const PageDescription& pages, const std::string& jobName,
                          const std::string& outputFile) {
    ReportFontsGdi fonts;
    if (!fonts.Ready())
        return PrintOutcome::failed;
    std::wstring name = Wide(jobName);
    std::wstring output = Wide(outputFile);
    DOCINFOW job = {};
    job.cbSize = sizeof job;
    job.lpszDocName = name.c_str();
    job.lpszOutput = output.empty() ? nullptr : output.c_str();
    // A printer that asks for a file of its own (one that prints to PDF or XPS, or the port "FILE:")
    // refuses the job when the user cancels that question: the user's choice, not a failure.
    if (StartDocW(printer, &job) <= 0)
        return GetLastError() == ERROR_CANCELLED ? PrintOutcome::cancelled : PrintOutcome::failed;
    PagePlacement placement = PrinterPlacement(printer);
    for (const Page& page : pages.pages) {
        if (StartPage(printer) <= 0) {
            AbortDoc(printer);
            return PrintOutcome::failed;
        }
        DrawPageGdi(printer, page, placement);
        if (EndPage(printer) <= 0) {
            AbortDoc(printer);
            return PrintOutcome::failed;
        }
    }
    return EndDoc(printer) > 0 ? PrintOutcome::printed : PrintOutcome::failed;
}

HDC ChoosePrinter(HWND owner, bool* toFile, bool* failed) {
    PRINTDLGW dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.Flags = PD_RETURNDC | PD_NOSELECTION | PD_NOPAGENUMS | PD_USEDEVMODECOPIESANDCOLLATE;
    BOOL chosen = PrintDlgW(&dialog);
    // Without any printer the dialog has told the user so itself.
    DWORD error = chosen ? 0 : CommDlgExtendedError();
    *failed = chosen ? dialog.hDC == nullptr : error != 0 && error != PDERR_NODEFAULTPRN;
    *toFile = chosen && (dialog.Flags & PD_PRINTTOFILE);
    if (dialog.hDevMode)
        GlobalFree(dialog.hDevMode);
    if (dialog.hDevNames)
        GlobalFree(dialog.hDevNames);
    return chosen ? dialog.hDC : nullptr;
}
