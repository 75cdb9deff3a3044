// Thread: runs an object's Run on a worker thread of its own.
#include "Thread.h"

#include "common/Exception.h"

#include <process.h>

Thread::Thread() : Object(L"Thread") { CreateThreadEx(); }

Thread::~Thread() {
    try {
        Close();
    } catch (Exception* e) {
        delete e;  // a destructor must not throw; the handle is gone either way
    }
}

void Thread::CreateThreadEx() {
    uintptr_t handle = _beginthreadex(nullptr, 0, &Thread::ThreadProcedure, this, CREATE_SUSPENDED, &threadId_);
    if (handle == 0) throw new Exception(L"Thread::CreateThreadEx()");
    handle_ = reinterpret_cast<HANDLE>(handle);
    running_ = false;
}

void Thread::Start() {
    if (running_) throw new Exception(L"Thread::Start()\nThread (%d) is already running.", threadId_);
    if (handle_ == nullptr) CreateThreadEx();
    // Marked running before it resumes: a Run that ends at once clears the mark itself.
    running_ = true;
    if (ResumeThread(handle_) == static_cast<DWORD>(-1)) {
        running_ = false;
        throw new Exception(L"Thread::Start()\nResumeThread(%d) failed.", threadId_);
    }
}

void Thread::Close() {
    HANDLE handle = handle_;
    handle_ = nullptr;
    threadId_ = 0;
    result_ = 0;
    if (handle != nullptr && !CloseHandle(handle)) {
        throw new Exception(L"CloseHandle failed at %s:%i", L"common/Thread", __LINE__);
    }
}

unsigned __stdcall Thread::ThreadProcedure(void* argument) {
    Thread* thread = static_cast<Thread*>(argument);
    try {
        thread->result_ = thread->Run();
    } catch (Exception* e) {
        MessageBoxW(nullptr, e->GetMessageText(), L"Exception thrown", MB_SETFOREGROUND | MB_ICONWARNING);
    }
    thread->running_ = false;
    thread->Close();
    thread->OnThreadEnd();
    return 0;
}
