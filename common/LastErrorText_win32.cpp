// LastErrorText: the system's text for the calling thread's last error.
#include "LastErrorText.h"

#include "String.h"

#include <windows.h>

const wchar_t* GetLastErrorText() {
    // Made on the first call: the start-up update check may call during static construction.
    static String lastErrorText;
    const DWORD kSize = 255;
    wchar_t buffer[kSize];
    // Inserts are left as written: without the flag a text with "%1" would not be found.
    DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, GetLastError(),
                                  MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), buffer, kSize, nullptr);
    buffer[length < kSize ? length : 0] = 0;
    lastErrorText.Set(buffer);
    return lastErrorText.GetText();
}
