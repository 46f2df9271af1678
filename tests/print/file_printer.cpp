// Sets up a printer the way an administrator would, for the printing tests: Wine's PostScript driver
// with the PPD file given, on a local port that is a file, so that every job printed on it ends up in
// that file. The printer becomes the default one; run again, it only becomes the default again.
//
// usage: file_printer.exe PRINTER_NAME PPD_FILE OUTPUT_FILE   (Windows paths)
#include <windows.h>
#include <winspool.h>

#include <cstdio>

namespace {

// Each printer has a driver of its own name, since the driver names the PPD file the printer reads.
bool AddPostScriptDriver(wchar_t* name, wchar_t* ppd) {
    DRIVER_INFO_3W driver = {};
    driver.cVersion = 3;
    driver.pName = name;
    driver.pDriverPath = const_cast<wchar_t*>(L"wineps.drv");
    driver.pConfigFile = const_cast<wchar_t*>(L"wineps.drv");
    driver.pDataFile = ppd;
    driver.pDefaultDataType = const_cast<wchar_t*>(L"RAW");
    return AddPrinterDriverExW(nullptr, 3, reinterpret_cast<BYTE*>(&driver),
                               APD_COPY_NEW_FILES | APD_COPY_FROM_DIRECTORY);
}

bool AddFilePrinter(wchar_t* name, wchar_t* output) {
    PRINTER_INFO_2W printer = {};
    printer.pPrinterName = name;
    printer.pPortName = output;
    printer.pDriverName = name;
    printer.pPrintProcessor = const_cast<wchar_t*>(L"WinPrint");
    printer.pDatatype = const_cast<wchar_t*>(L"RAW");
    printer.Attributes = PRINTER_ATTRIBUTE_LOCAL;
    HANDLE added = AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&printer));
    if (!added)
        return GetLastError() == ERROR_PRINTER_ALREADY_EXISTS;
    ClosePrinter(added);
    return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) {
        fprintf(stderr, "usage: file_printer.exe PRINTER_NAME PPD_FILE OUTPUT_FILE\n");
        return 64;
    }
    if (!AddPostScriptDriver(argv[1], argv[2])) {
        fprintf(stderr, "file_printer: the PostScript driver cannot be installed (error %lu)\n", GetLastError());
        return 1;
    }
    if (!AddFilePrinter(argv[1], argv[3]) || !SetDefaultPrinterW(argv[1])) {
        fprintf(stderr, "file_printer: the printer cannot be set up (error %lu)\n", GetLastError());
        return 1;
    }
    return 0;
}
