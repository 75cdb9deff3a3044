// enneo_test_printer: adds a test printer to the Wine prefix it runs in, for the print tests.
//   enneo_test_printer NAME OUTPUT_PATH
// The printer (see TestPrinter) prints into OUTPUT_PATH, a Windows path, and becomes the
// default printer. Exit status 0, or 1 with the reason on stderr.
#include "TestPrinter.h"

#include <cstdio>

int wmain(int argumentCount, wchar_t** arguments) {
    if (argumentCount != 3) {
        std::fputws(L"usage: enneo_test_printer NAME OUTPUT_PATH\n", stderr);
        return 1;
    }
    std::wstring error;
    if (!TestPrinter::Add(arguments[1], arguments[2], true, error)) {
        std::fwprintf(stderr, L"enneo_test_printer: %ls\n", error.c_str());
        return 1;
    }
    return 0;
}
