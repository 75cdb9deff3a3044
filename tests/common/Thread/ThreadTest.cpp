// Tests of Thread: start, end, refusal while running, exceptions on the worker.
#include "common/Thread/Thread.h"
#include "tests/support/DialogDriver.h"

#include "common/Exception.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>

namespace {

class ProbeThread : public Thread {
public:
    std::atomic<bool> release{true};
    std::atomic<bool> raise{false};
    std::atomic<int> runs{0};
    std::atomic<int> ends{0};

    intptr_t Run() override {
        ++runs;
        while (!release) Sleep(5);
        if (raise) throw new Exception(L"boom");
        return 42;
    }
    void OnThreadEnd() override { ++ends; }
};

bool WaitUntilEnded(ProbeThread& thread) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (thread.ends == 0 && std::chrono::steady_clock::now() < deadline) Sleep(5);
    return thread.ends > 0;
}

TEST(ThreadTest, RunsOnceAndEndsByItself) {
    ProbeThread thread;
    EXPECT_FALSE(thread.IsRunning());
    EXPECT_EQ(0, thread.runs);  // made suspended
    thread.Start();
    ASSERT_TRUE(WaitUntilEnded(thread));
    EXPECT_EQ(1, thread.runs);
    EXPECT_EQ(1, thread.ends);
    EXPECT_FALSE(thread.IsRunning());
    EXPECT_EQ(0u, thread.GetThreadId());  // closed
}

TEST(ThreadTest, StartWhileRunningIsRefused) {
    ProbeThread thread;
    thread.release = false;
    thread.Start();
    DWORD id = thread.GetThreadId();
    try {
        thread.Start();
        FAIL() << "no exception";
    } catch (Exception* e) {
        EXPECT_EQ(L"Thread::Start()\nThread (" + std::to_wstring(id) + L") is already running.",
                  std::wstring(e->GetMessageText()));
        delete e;
    }
    thread.release = true;
    ASSERT_TRUE(WaitUntilEnded(thread));
    thread.Start();  // a finished thread starts again on a new worker
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (thread.ends < 2 && std::chrono::steady_clock::now() < deadline) Sleep(5);
    EXPECT_EQ(2, thread.runs);
}

TEST(ThreadTest, AnExceptionOnTheWorkerIsShownAndTheThreadEnds) {
    DialogDriver driver({{L"Exception thrown", L"", IDOK}});
    ProbeThread thread;
    thread.raise = true;
    thread.Start();
    EXPECT_EQ(std::vector<std::wstring>{L"boom"}, driver.Texts());
    ASSERT_TRUE(WaitUntilEnded(thread));
    EXPECT_FALSE(thread.IsRunning());
}

}  // namespace
