// Tests of the router: binding, routing, records per thread and disposal.
#include "RecordingWindow.h"

#include "common/Exception.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

using gui::WindowMessageRouter;

TEST(WindowMessageRouterTest, AMessageForAnUnboundHandleFailsToRoute) {
    WindowMessageRouter* router = WindowMessageRouter::GetInstance();
    WindowMessageRouter::RouteMessage(reinterpret_cast<HWND>(0x7777), WM_USER, 0, 0);
    try {
        router->RaiseKeptException();
        FAIL() << "no exception";
    } catch (Exception* e) {
        EXPECT_STREQ(L"WindowMessageRouter::RouteMessage()\nFailed to route message", e->GetMessageText());
        delete e;
    }
    router->RaiseKeptException();  // raised once only
}

TEST(WindowMessageRouterTest, BindingAHandleAgainReplacesTheOldWindow) {
    WindowMessageRouter* router = WindowMessageRouter::GetInstance();
    RecordingWindow first;
    RecordingWindow second;
    HWND handle = reinterpret_cast<HWND>(0x7778);
    router->Bind(handle, &first);
    router->Bind(handle, &second);
    EXPECT_EQ(&second, router->LookUp(handle));
    router->Unbind(&second);
    EXPECT_EQ(nullptr, router->LookUp(handle));
}

TEST(WindowMessageRouterTest, ADeletedWindowLeavesTheTable) {
    WindowMessageRouter* router = WindowMessageRouter::GetInstance();
    HWND handle = reinterpret_cast<HWND>(0x7779);
    {
        RecordingWindow window;
        router->Bind(handle, &window);
    }
    EXPECT_EQ(nullptr, router->LookUp(handle));
}

TEST(WindowMessageRouterTest, OneCreationRecordPerThread) {
    WindowMessageRouter* router = WindowMessageRouter::GetInstance();
    RecordingWindow first;
    RecordingWindow second;
    size_t records = router->GetRecordCount();
    gui::CreationRecord* mine = router->GetCreationRecord();
    ASSERT_NE(nullptr, mine);
    gui::CreationRecord* theirs = nullptr;
    std::thread([&] {
        RecordingWindow other;
        theirs = router->GetCreationRecord();
    }).join();
    EXPECT_NE(nullptr, theirs);
    EXPECT_NE(mine, theirs);
    EXPECT_EQ(records + 1, router->GetRecordCount());
}

TEST(WindowMessageRouterTest, DisposeDestroysAndDeletesABoundWindowOnce) {
    WindowMessageRouter* router = WindowMessageRouter::GetInstance();
    auto* window = new RecordingWindow();
    HWND handle = window->Create(nullptr);
    int destructions = RecordingWindow::destructions;
    router->DisposeWindow(window);
    EXPECT_EQ(destructions + 1, RecordingWindow::destructions);
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_EQ(nullptr, router->LookUp(handle));

    RecordingWindow unbound;
    router->DisposeWindow(&unbound);  // not in the table: left alone
    EXPECT_EQ(destructions + 1, RecordingWindow::destructions);
    EXPECT_EQ(0, unbound.onDestroyCalls);
}

}  // namespace
