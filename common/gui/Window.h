// Window: the framework's base for every window it creates.
#pragma once

#include "DpiScale.h"
#include "WindowMessageRouter.h"
#include "common/Object.h"

#include <windows.h>

namespace gui {

// One Window object stands for one system window. The object exists first; Create makes
// the system window, and for a class the framework registered every message from the
// first one on arrives at MessageHandler, which turns the common messages into calls of
// the small virtual handlers below. The object never destroys its system window when it
// is deleted: Destroy does, or the parent's destruction takes a child along.
class Window : public Object {
public:
    // Default processing: a plain window, an MDI frame or an MDI child.
    enum DefaultProcedure { PLAIN_WINDOW = 0, MDI_FRAME = 1, MDI_CHILD = 2 };

    explicit Window(const wchar_t* className);
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    virtual void SetText(const wchar_t* text);
    virtual void SetPosition(int x, int y, int width, int height, UINT flags);
    virtual void SetPositionRect(const RECT& rect, UINT flags);
    // Called with the class about to be registered; only for classes not registered yet.
    virtual void PreRegisterClass(WNDCLASSEXW& windowClass);
    virtual void OnCreate();
    virtual void OnDestroy();
    // OnDestroy, then destroys a live system window and marks the object for disposal.
    virtual void Destroy();
    virtual LRESULT MessageHandler(HWND handle, UINT message, WPARAM wParam, LPARAM lParam);
    // Gets the arguments of WM_SIZE or of WM_WINDOWPOSCHANGED.
    virtual void OnSize(WPARAM wParam, LPARAM lParam);
    // Nonzero: the command was not handled and goes to default processing.
    virtual int OnCommandMessage(WPARAM wParam, LPARAM lParam);
    virtual void OnPaint(HDC deviceContext);
    // Nonzero keeps the window open.
    virtual int OnClose();
    virtual LRESULT OnNotify(WPARAM wParam, LPARAM lParam);
    // Messages 0x0400 to 0x83FF; nonzero means handled.
    virtual int OnUserMessage(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnTimer(WPARAM timerId);
    // WM_DPICHANGED: the window and each framework window inside it take the new DPI
    // (SetDpiScale), the window takes the rectangle Windows suggests (its size at that
    // DPI) and is repainted whole. Overrides that rebuild more call this.
    virtual void OnDpiChanged(const DpiScale& scale, const RECT& suggested);

    // Makes the system window (parent null: a top-level window), calls OnCreate and
    // returns the handle. Raises when the window exists already or cannot be made.
    HWND Create(HWND parent);
    void Show(int showCommand);
    void Hide();
    // Fills the rectangle with the client rectangle; a null pointer does nothing.
    void GetClientRect(RECT* rect) const;
    const wchar_t* GetWindowClassName();
    // Attaches menu in place of the window's menu, if any, which is destroyed. The window
    // owns menu from now on: Windows destroys it with the window.
    void ReplaceMenu(HMENU menu);
    // Stores the style and applies it to a live window.
    void SetStyle(DWORD style);
    DWORD GetStyle() const { return style_; }
    // Stores the extended style (WS_EX_*) and applies it to a live window.
    void SetExtendedStyle(DWORD extendedStyle);

    HWND GetHandle() const { return handle_; }
    // The DPI the window is drawn at: its own when Create made it, then each new one
    // that WM_DPICHANGED brings; 96 before Create.
    const DpiScale& GetDpiScale() const { return scale_; }
    // Set by Destroy: the message loop disposes of the object.
    bool IsDestroyed() const { return destroyed_; }
    // Called by the creation hook: the system has just made this window's handle.
    void AttachHandle(HWND handle) { handle_ = handle; }

    // The creation hook procedure, installed by Create for its own thread only.
    static LRESULT CALLBACK StaticCBTProc(int code, WPARAM wParam, LPARAM lParam);

protected:
    // The processing a message gets when the window does not handle it.
    LRESULT DefaultProcessing(HWND handle, UINT message, WPARAM wParam, LPARAM lParam);

    void SetRegisterClass(bool registerClass) { registerClass_ = registerClass; }
    void SetWindowClassName(const wchar_t* name) { windowClassName_ = name; }
    void SetMenuOrId(HMENU menuOrId) { menuOrId_ = menuOrId; }
    void SetCreationParameter(LPVOID parameter) { creationParameter_ = parameter; }
    // MDI frames pass their client window, used by their default processing.
    void SetDefaultProcedure(DefaultProcedure kind, HWND mdiClient) {
        defaultProcedure_ = kind;
        mdiClient_ = mdiClient;
    }
    // The window's font, owned and deleted with the object.
    void SetFont(HFONT font);
    // Takes a new DPI; a control remakes its font for it.
    virtual void SetDpiScale(const DpiScale& scale) { scale_ = scale; }
    HFONT GetFont() const { return font_; }
    HINSTANCE GetInstance() const { return instance_; }

private:
    void RegisterWindowClass();
    void SetHook();
    static BOOL CALLBACK SetChildDpiScale(HWND child, LPARAM dpi);

    HWND handle_ = nullptr;
    DWORD style_ = 0;
    DWORD extendedStyle_ = 0;
    HINSTANCE instance_;
    HMENU menuOrId_ = nullptr;
    const wchar_t* windowClassName_ = nullptr;
    HFONT font_ = nullptr;
    CreationRecord* record_;
    bool registerClass_ = false;
    LPVOID creationParameter_ = nullptr;
    DefaultProcedure defaultProcedure_ = PLAIN_WINDOW;
    HWND mdiClient_ = nullptr;
    bool destroyed_ = false;
    DpiScale scale_;
    WindowMessageRouter* router_;
};

}  // namespace gui
