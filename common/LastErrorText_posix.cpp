// LastErrorText: the system's text for the calling thread's last error.
#include "LastErrorText.h"

#include "String.h"

#include <cerrno>
#include <cstring>
#include <string>

const wchar_t* GetLastErrorText() {
    // Made on the first call: the start-up update check may call during static construction.
    static String lastErrorText;
    // strerror's text with a line break, as the Windows system texts end in one.
    std::string text = std::strerror(errno);
    text += "\r\n";
    lastErrorText.SetAnsi(text.c_str());
    return lastErrorText.GetText();
}
