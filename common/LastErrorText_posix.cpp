// LastErrorText: the system's text for the calling thread's last error.
#include "LastErrorText.h"

#include "String.h"

#include <cerrno>
#include <cstring>
#include <string>

namespace {
String lastErrorText;
}

const wchar_t* GetLastErrorText() {
    // strerror's text with a line break, as the Windows system texts end in one.
    std::string text = std::strerror(errno);
    text += "\r\n";
    lastErrorText.SetAnsi(text.c_str());
    return lastErrorText.GetText();
}
