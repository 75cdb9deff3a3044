// IApplication: what the class library needs to know of the running program.
#pragma once

namespace util {
class IProperties;
}

// The running program as the library's windows, log window and update check see it:
// its names, the values of its version resource and its settings. The program's one
// application object registers itself for its lifetime, so that the library finds it
// without depending on the program's own classes.
class IApplication {
public:
    // The registered application, or null when none is.
    static IApplication* GetCurrent() { return current_; }

    // What window captions and messages call the program; never empty.
    virtual const wchar_t* GetApplicationName() const = 0;
    // The program's settings; owned by the application.
    virtual util::IProperties* GetProperties() const = 0;

    // Values of the program's version resource; empty when it lacks one. The texts stay
    // valid as long as the application.
    virtual const wchar_t* GetCompanyName() = 0;
    virtual const wchar_t* GetProductName() = 0;
    virtual const wchar_t* GetProductVersion() = 0;
    virtual const wchar_t* GetFileDescription() = 0;
    virtual const wchar_t* GetOriginalFilename() = 0;

protected:
    ~IApplication() = default;
    // Makes application the registered one; null registers none.
    static void SetCurrent(IApplication* application) { current_ = application; }

private:
    static inline IApplication* current_ = nullptr;
};
