// TestPrinter: a printer of a test's own, which prints PostScript into a file.
#include "TestPrinter.h"

#include <windows.h>
#include <winspool.h>

#include <filesystem>
#include <fstream>

namespace {

const wchar_t kDriver[] = L"Wine PostScript Driver";
const wchar_t kPpdName[] = L"enneo-test-printer.ppd";

// An A4 colour PostScript printer at 600 DPI that can print on all but a quarter inch
// at each edge.
const char kPpd[] = R"ppd(*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "ENNEOTST.PPD"
*Manufacturer: "Enneo"
*Product: "(Enneo Test Printer)"
*ModelName: "Enneo Test Printer"
*ShortNickName: "Enneo Test Printer"
*NickName: "Enneo Test Printer"
*PSVersion: "(3010) 0"
*LanguageLevel: "3"
*ColorDevice: True
*DefaultColorSpace: RGB
*TTRasterizer: Type42
*DefaultResolution: 600dpi
*OpenUI *PageSize: PickOne
*DefaultPageSize: A4
*PageSize A4/A4: "<</PageSize[595 842]/ImagingBBox null>>setpagedevice"
*CloseUI: *PageSize
*OpenUI *PageRegion: PickOne
*DefaultPageRegion: A4
*PageRegion A4/A4: "<</PageSize[595 842]/ImagingBBox null>>setpagedevice"
*CloseUI: *PageRegion
*DefaultImageableArea: A4
*ImageableArea A4/A4: "18 18 577 824"
*DefaultPaperDimension: A4
*PaperDimension A4/A4: "595 842"
)ppd";

std::wstring LastError(const wchar_t* what) { return std::wstring(what) + L" failed: " + std::to_wstring(GetLastError()); }

// The PPD in the driver folder, where the driver's data file must be before it is added.
bool WritePpd(std::wstring& error) {
    wchar_t folder[MAX_PATH] = {};
    DWORD needed = 0;
    if (!GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(folder), sizeof(folder), &needed)) {
        error = LastError(L"GetPrinterDriverDirectory");
        return false;
    }
    CreateDirectoryW(folder, nullptr);
    std::ofstream file(std::filesystem::path(folder) / kPpdName, std::ios::binary);
    file << kPpd;
    if (!file.flush()) error = L"the PPD could not be written";
    return static_cast<bool>(file);
}

}  // namespace

bool TestPrinter::Add(const std::wstring& name, const std::wstring& outputPath, bool asDefault, std::wstring& error) {
    if (!WritePpd(error)) return false;
    DRIVER_INFO_3W driver = {};
    driver.cVersion = 3;
    driver.pName = const_cast<wchar_t*>(kDriver);
    driver.pDriverPath = const_cast<wchar_t*>(L"wineps.drv");
    driver.pDataFile = const_cast<wchar_t*>(kPpdName);
    driver.pConfigFile = const_cast<wchar_t*>(L"wineps.drv");
    if (!AddPrinterDriverW(nullptr, 3, reinterpret_cast<BYTE*>(&driver))) {
        error = LastError(L"AddPrinterDriver");
        return false;
    }
    PRINTER_INFO_2W printer = {};
    printer.pPrinterName = const_cast<wchar_t*>(name.c_str());
    printer.pPortName = const_cast<wchar_t*>(outputPath.c_str());
    printer.pDriverName = const_cast<wchar_t*>(kDriver);
    printer.pPrintProcessor = const_cast<wchar_t*>(L"WinPrint");
    printer.pDatatype = const_cast<wchar_t*>(L"RAW");
    HANDLE added = AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&printer));
    if (added == nullptr && GetLastError() != ERROR_PRINTER_ALREADY_EXISTS) {
        error = LastError(L"AddPrinter");
        return false;
    }
    if (added != nullptr) ClosePrinter(added);
    if (asDefault && !SetDefaultPrinterW(name.c_str())) {
        error = LastError(L"SetDefaultPrinter");
        return false;
    }
    return true;
}

void TestPrinter::Remove(const std::wstring& name) {
    HANDLE printer = nullptr;
    PRINTER_DEFAULTSW access = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    if (!OpenPrinterW(const_cast<wchar_t*>(name.c_str()), &printer, &access)) return;
    DeletePrinter(printer);
    ClosePrinter(printer);
}
