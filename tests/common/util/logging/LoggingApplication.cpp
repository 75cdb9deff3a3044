// The log window tests' application object: constructed with logging on, it opens the
// log window and registers it before the tests run.
#include "app/WindowsApplication.h"

namespace {

class LoggingApplication final : public WindowsApplication {
public:
    LoggingApplication() : WindowsApplication(L"LoggingApplication", true) {}
    int Run() override { return MessageLoop(); }
};

LoggingApplication application;

}  // namespace
