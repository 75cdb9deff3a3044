// Thread: runs an object's Run on a worker thread of its own.
#pragma once

#include "Runnable.h"
#include "common/Object.h"

#include <windows.h>

#include <atomic>

// A class becomes a thread by deriving from Thread and implementing Run. The worker
// exists, suspended, from construction on; Start resumes it. When Run returns, the
// worker closes its own handle and calls OnThreadEnd. An Exception out of Run is shown
// in the "Exception thrown" box and ends only the worker. Nobody waits for a worker:
// the owner must not destroy a Thread whose Run is still going.
class Thread : public Runnable, public Object {
public:
    Thread();
    virtual ~Thread();
    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;

    // Called on the worker after Run has returned and the thread was closed.
    virtual void OnThreadEnd() {}

    void Start();
    // Closes the handle and forgets Run's result; raises when the handle cannot be closed.
    void Close();
    bool IsRunning() const { return running_; }
    DWORD GetThreadId() const { return threadId_; }

protected:
    // Makes the worker, suspended.
    void CreateThreadEx();

private:
    static unsigned __stdcall ThreadProcedure(void* argument);

    HANDLE handle_ = nullptr;
    unsigned threadId_ = 0;
    std::atomic<bool> running_{false};
    intptr_t result_ = 0;
};
