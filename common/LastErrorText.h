// LastErrorText: the system's text for the calling thread's last error.
#pragma once

// The system's message for the last error code (GetLastError on Windows, errno
// elsewhere), with the system's own trailing line break; empty text when the system has
// none. The text lives in one process-wide String and stays valid until the next call
// from any thread.
const wchar_t* GetLastErrorText();
