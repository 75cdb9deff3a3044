// The test programs' application object: the framework expects exactly one.
#include "app/WindowsApplication.h"

namespace {

class TestApplication final : public WindowsApplication {
public:
    TestApplication() : WindowsApplication(L"TestApplication", false) {}
    int Run() override { return MessageLoop(); }
};

TestApplication application;

}  // namespace
