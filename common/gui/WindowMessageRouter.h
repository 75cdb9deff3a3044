// WindowMessageRouter: binds system window handles to Window objects and routes messages.
#pragma once

#include "common/Object.h"
#include "common/Thread/CriticalSection.h"

#include <windows.h>

#include <map>
#include <vector>

class Exception;

namespace gui {

class Window;

// How a system window finds its object. Every framework window class has the one
// window procedure RouteMessage, which looks the handle up in a table of handle to
// Window. A new handle must be in that table before its first message (WM_GETMINMAXINFO,
// WM_NCCREATE, ...), so Window::Create does not wait for CreateWindowExW to return:
// it installs a computer-based-training hook for its own thread and leaves itself in
// the thread's creation record (kept in a thread-local-storage slot). The system calls
// the hook with HCBT_CREATEWND before the window's first message; the hook unhooks
// itself and binds the new handle to the record's window. A handle value that is bound
// already is rebound: the system reuses the values of windows it destroyed.
//
// A window that calls Destroy on itself is deleted by the message loop after the
// message has been dispatched (DisposeWindow), never inside its own handler; a Window
// object that goes away takes its entry out of the table, so that no message ever
// reaches a deleted object. C++ exceptions cannot cross the system's dispatching, so
// an Exception raised while a message is handled is kept here and raised again where
// the framework has control back (after DispatchMessageW, after CreateWindowExW).

// One per thread that constructs windows: the window being created there and the
// creation hook while one is installed. Records live as long as the process.
struct CreationRecord {
    Window* window = nullptr;
    HHOOK hook = nullptr;
};

// The process's one router, made on first request and never destroyed. It does not
// own the windows in its table.
class WindowMessageRouter final : public Object {
public:
    static WindowMessageRouter* GetInstance();

    // The calling thread's creation record, made on the thread's first request.
    CreationRecord* SetTLSIndex();
    // The calling thread's creation record, or null when it has none.
    CreationRecord* GetCreationRecord() const;
    size_t GetRecordCount();

    // The shared window procedure of every class Window::Create registers.
    static LRESULT CALLBACK RouteMessage(HWND handle, UINT message, WPARAM wParam, LPARAM lParam);

    // The window bound to the handle, or null.
    Window* LookUp(HWND handle) const;
    // Binds the handle to the window, replacing what the handle was bound to.
    void Bind(HWND handle, Window* window);
    // Takes every entry of the window out of the table.
    void Unbind(Window* window);
    // Destroys and deletes a bound window and forgets its handle; others are left alone.
    void DisposeWindow(Window* window);

    // Keeps an Exception raised inside the system's dispatching (the first one wins).
    void KeepException(Exception* exception);
    // Raises the kept Exception, if any, and forgets it.
    void RaiseKeptException();

private:
    WindowMessageRouter();

    CriticalSection lock_;
    std::map<HWND, Window*> table_;
    std::vector<CreationRecord*> records_;
    DWORD tlsIndex_;
    Exception* keptException_ = nullptr;
};

}  // namespace gui
