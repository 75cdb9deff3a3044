// TestPrinter: a printer of a test's own, which prints PostScript into a file.
#pragma once

#include <string>

// Adds a printer to the Wine prefix the test runs in: Wine's PostScript driver, with a
// small PPD of an A4 printer at 600 DPI, printing each job into a file (the printer's
// port is the file's Windows path; Wine copies a finished job there). The printer stays
// until Remove: tests that run side by side each add one of their own name.
class TestPrinter {
public:
    // Adds the driver (once per prefix) and the printer; asDefault also makes it the
    // default printer, which the print dialog offers. False, with the reason in error,
    // when either could not be added.
    static bool Add(const std::wstring& name, const std::wstring& outputPath, bool asDefault, std::wstring& error);
    static void Remove(const std::wstring& name);
};
