// Window: the framework's base for every window it creates.
#include "Window.h"

#include "common/Exception.h"
#include "common/LastErrorText.h"

// The 32-bit program registers its classes with the 48-byte structure of 32-bit Windows.
#ifndef _WIN64
static_assert(sizeof(WNDCLASSEXW) == 48, "WNDCLASSEXW of 32-bit Windows");
#endif

namespace gui {

Window::Window(const wchar_t* className)
    : Object(className),
      instance_(GetModuleHandleW(nullptr)),
      record_(WindowMessageRouter::GetInstance()->SetTLSIndex()),
      router_(WindowMessageRouter::GetInstance()) {}

Window::~Window() {
    if (font_ != nullptr) DeleteObject(font_);
    router_->Unbind(this);
    handle_ = nullptr;
}

void Window::SetText(const wchar_t* text) { SetWindowTextW(handle_, text); }

void Window::SetPosition(int x, int y, int width, int height, UINT flags) {
    SetWindowPos(handle_, nullptr, x, y, width, height, flags);
}

void Window::SetPositionRect(const RECT& rect, UINT flags) {
    SetPosition(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, flags);
}

void Window::PreRegisterClass(WNDCLASSEXW&) {}
void Window::OnCreate() {}
void Window::OnDestroy() {}
void Window::OnSize(WPARAM, LPARAM) {}
int Window::OnCommandMessage(WPARAM, LPARAM) { return 0; }
void Window::OnPaint(HDC) {}
int Window::OnClose() { return 1; }
LRESULT Window::OnNotify(WPARAM, LPARAM) { return 0; }
int Window::OnUserMessage(UINT, WPARAM, LPARAM) { return 0; }
LRESULT Window::OnTimer(WPARAM) { return 0; }

void Window::OnDpiChanged(const DpiScale& scale, const RECT& suggested) {
    SetDpiScale(scale);
    EnumChildWindows(handle_, &Window::SetChildDpiScale, scale.GetDpi());
    // The new size lays the content out again (OnSize) at the new DPI.
    SetWindowPos(handle_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

BOOL CALLBACK Window::SetChildDpiScale(HWND child, LPARAM dpi) {
    Window* window = WindowMessageRouter::GetInstance()->LookUp(child);
    if (window != nullptr) window->SetDpiScale(DpiScale(static_cast<int>(dpi)));
    return TRUE;
}

void Window::Destroy() {
    OnDestroy();
    if (handle_ != nullptr && IsWindow(handle_)) {
        DestroyWindow(handle_);
        handle_ = nullptr;
        destroyed_ = true;
    }
}

void Window::SetFont(HFONT font) {
    if (font_ != nullptr) DeleteObject(font_);
    font_ = font;
}

void Window::SetStyle(DWORD style) {
    style_ = style;
    if (handle_ != nullptr) SetWindowLongW(handle_, GWL_STYLE, static_cast<LONG>(style));
}

void Window::SetExtendedStyle(DWORD extendedStyle) {
    extendedStyle_ = extendedStyle;
    if (handle_ != nullptr) SetWindowLongW(handle_, GWL_EXSTYLE, static_cast<LONG>(extendedStyle));
}

void Window::Show(int showCommand) { ShowWindow(handle_, showCommand); }

void Window::Hide() { ShowWindow(handle_, SW_HIDE); }

void Window::GetClientRect(RECT* rect) const {
    if (rect != nullptr) ::GetClientRect(handle_, rect);
}

const wchar_t* Window::GetWindowClassName() {
    if (windowClassName_ == nullptr) windowClassName_ = GetName();
    return windowClassName_;
}

void Window::ReplaceMenu(HMENU menu) {
    HMENU old = GetMenu(handle_);
    SetMenu(handle_, menu);
    if (old != nullptr && old != menu) DestroyMenu(old);
}

void Window::RegisterWindowClass() {
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof(WNDCLASSEXW);
    windowClass.lpfnWndProc = &WindowMessageRouter::RouteMessage;
    windowClass.hInstance = instance_;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = windowClassName_;
    WNDCLASSEXW existing = {};
    existing.cbSize = sizeof(WNDCLASSEXW);
    if (GetClassInfoExW(instance_, windowClassName_, &existing)) return;
    PreRegisterClass(windowClass);
    if (RegisterClassExW(&windowClass) == 0) {
        throw new Exception(L"Window::RegisterClass()\nClassName : %s\nWindowClassName : %s\n%s", GetName(),
                            windowClassName_, GetLastErrorText());
    }
}

void Window::SetHook() {
    HHOOK hook = SetWindowsHookExW(WH_CBT, &Window::StaticCBTProc, nullptr, GetCurrentThreadId());
    if (hook == nullptr) throw new Exception(L"Window::SetHook()\nSetWindowsHookEx Failed");
    record_->hook = hook;
    record_->window = this;
}

HWND Window::Create(HWND parent) {
    GetWindowClassName();
    if (handle_ != nullptr) {
        throw new Exception(L"%s::Create()\nWindow is already created. Check your code.", GetName());
    }
    if (registerClass_) RegisterWindowClass();
    SetHook();
    HWND handle = CreateWindowExW(extendedStyle_, windowClassName_, nullptr, style_, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, parent, menuOrId_, instance_,
                                  creationParameter_);
    DWORD error = GetLastError();
    handle_ = handle;
    if (handle != nullptr) scale_ = DpiScale::OfWindow(handle);
    if (record_->hook != nullptr) {
        UnhookWindowsHookEx(record_->hook);
        record_->hook = nullptr;
    }
    record_->window = nullptr;
    router_->RaiseKeptException();
    if (handle == nullptr) {
        SetLastError(error);
        throw new Exception(L"Window::CreateWindowEx() failed\n\nClassName : %s\nWindowClassName : %s\n%s",
                            GetName(), windowClassName_, GetLastErrorText());
    }
    OnCreate();
    return handle;
}

namespace {

// Whether a window the system is creating is the one Create asked for. The system may
// make windows of its own meanwhile (an input-method window during a thread's first
// creation), and those must not be bound to the object. A system class that the
// manifest's common controls redirect arrives under its versioned name
// ("6.0.2600.2982!Button").
bool IsCreationOf(Window* window, const CBT_CREATEWNDW* creation) {
    const wchar_t* className = creation->lpcs->lpszClass;
    if (IS_INTRESOURCE(className)) return true;  // an atom: no name to compare
    if (const wchar_t* unversioned = wcsrchr(className, L'!')) className = unversioned + 1;
    return _wcsicmp(className, window->GetWindowClassName()) == 0;
}

}  // namespace

LRESULT CALLBACK Window::StaticCBTProc(int code, WPARAM wParam, LPARAM lParam) {
    WindowMessageRouter* router = WindowMessageRouter::GetInstance();
    CreationRecord* record = router->GetCreationRecord();
    if (record == nullptr) {
        // Nothing to unhook with: the hook ends with its thread's creation.
        router->KeepException(new Exception(L"Window::StaticCBTProc ... Unable to get TLS"));
        return 1;  // refuses the creation
    }
    if (code != HCBT_CREATEWND || !IsCreationOf(record->window, reinterpret_cast<CBT_CREATEWNDW*>(lParam))) {
        return CallNextHookEx(record->hook, code, wParam, lParam);
    }
    UnhookWindowsHookEx(record->hook);
    record->hook = nullptr;
    HWND handle = reinterpret_cast<HWND>(wParam);
    router->Bind(handle, record->window);
    record->window->AttachHandle(handle);
    return 0;
}

LRESULT Window::DefaultProcessing(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (defaultProcedure_) {
    case MDI_FRAME: return DefFrameProcW(handle, mdiClient_, message, wParam, lParam);
    case MDI_CHILD: return DefMDIChildProcW(handle, message, wParam, lParam);
    default: return DefWindowProcW(handle, message, wParam, lParam);
    }
}

LRESULT Window::MessageHandler(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DESTROY:
        OnDestroy();
        return DefaultProcessing(handle, message, wParam, lParam);
    case WM_SIZE:
        OnSize(wParam, lParam);
        return defaultProcedure_ == PLAIN_WINDOW ? 1 : DefaultProcessing(handle, message, wParam, lParam);
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC deviceContext = BeginPaint(handle, &paint);
        OnPaint(deviceContext);
        EndPaint(handle, &paint);
        return 0;
    }
    case WM_CLOSE:
        return OnClose() != 0 ? 0 : DefaultProcessing(handle, message, wParam, lParam);
    case WM_WINDOWPOSCHANGED:
        OnSize(wParam, lParam);
        return 1;
    case WM_NOTIFY:
        return OnNotify(wParam, lParam);
    case WM_COMMAND:
        if (HIWORD(wParam) == EN_UPDATE) return DefaultProcessing(handle, message, wParam, lParam);
        if (OnCommandMessage(wParam, lParam) != 0 || defaultProcedure_ == MDI_FRAME) {
            return DefaultProcessing(handle, message, wParam, lParam);
        }
        return 0;
    case WM_TIMER:
        return OnTimer(wParam);
    case WM_DPICHANGED:
        OnDpiChanged(DpiScale(LOWORD(wParam)), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    default:
        if (message >= WM_USER && message <= 0x83FF) {
            return OnUserMessage(message, wParam, lParam) != 0 ? 0 : DefaultProcessing(handle, message, wParam, lParam);
        }
        return DefaultProcessing(handle, message, wParam, lParam);
    }
}

}  // namespace gui
