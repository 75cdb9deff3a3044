// WindowMessageRouter: binds system window handles to Window objects and routes messages.
#include "WindowMessageRouter.h"

#include "Window.h"
#include "common/Exception.h"
#include "common/Thread/CriticalSectionLock.h"

namespace gui {

WindowMessageRouter* WindowMessageRouter::GetInstance() {
    static WindowMessageRouter* instance = new WindowMessageRouter();
    return instance;
}

WindowMessageRouter::WindowMessageRouter() : Object(L"WindowMessageRouter"), tlsIndex_(TlsAlloc()) {
    if (tlsIndex_ == TLS_OUT_OF_INDEXES) {
        throw new Exception(L"WindowMessageRouter::WindowMessageRouter()\nFailed to allocate TLS Index");
    }
}

CreationRecord* WindowMessageRouter::SetTLSIndex() {
    CriticalSectionLock locked(lock_);
    if (CreationRecord* record = GetCreationRecord()) return record;
    auto* record = new CreationRecord();
    if (TlsGetValue(tlsIndex_) != nullptr) {
        delete record;
        throw new Exception(L"WindowMessageRouter::SetTLSIndex()\nAttempted to set TLS more than once");
    }
    TlsSetValue(tlsIndex_, record);
    records_.push_back(record);
    return record;
}

CreationRecord* WindowMessageRouter::GetCreationRecord() const {
    return static_cast<CreationRecord*>(TlsGetValue(tlsIndex_));
}

size_t WindowMessageRouter::GetRecordCount() {
    CriticalSectionLock locked(lock_);
    return records_.size();
}

LRESULT CALLBACK WindowMessageRouter::RouteMessage(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowMessageRouter* router = GetInstance();
    try {
        Window* window = router->LookUp(handle);
        if (window == nullptr) throw new Exception(L"WindowMessageRouter::RouteMessage()\nFailed to route message");
        return window->MessageHandler(handle, message, wParam, lParam);
    } catch (Exception* e) {
        router->KeepException(e);
        return 0;
    }
}

Window* WindowMessageRouter::LookUp(HWND handle) const {
    auto entry = table_.find(handle);
    return entry == table_.end() ? nullptr : entry->second;
}

void WindowMessageRouter::Bind(HWND handle, Window* window) {
    CriticalSectionLock locked(lock_);
    table_[handle] = window;
}

void WindowMessageRouter::Unbind(Window* window) {
    CriticalSectionLock locked(lock_);
    for (auto entry = table_.begin(); entry != table_.end();) {
        entry = entry->second == window ? table_.erase(entry) : std::next(entry);
    }
}

void WindowMessageRouter::DisposeWindow(Window* window) {
    CriticalSectionLock locked(lock_);
    // A copy: Destroy and the destructor may bind or unbind windows meanwhile.
    std::map<HWND, Window*> snapshot = table_;
    for (const auto& entry : snapshot) {
        if (entry.second != window) continue;
        window->Destroy();
        delete window;  // its destructor takes it out of the table
        return;
    }
}

void WindowMessageRouter::KeepException(Exception* exception) {
    if (keptException_ == nullptr) {
        keptException_ = exception;
    } else {
        delete exception;
    }
}

void WindowMessageRouter::RaiseKeptException() {
    Exception* exception = keptException_;
    keptException_ = nullptr;
    if (exception != nullptr) throw exception;
}

}  // namespace gui
