// Application: the program's one application object.
#pragma once

#include "common/IApplication.h"
#include "common/Object.h"
#include "common/String.h"
#include "common/util/IProperties.h"

namespace util {
class RegistryProperties;
}

#include <cassert>
#include <memory>

// A program declares exactly one application object, as a static object: its
// construction runs before the entry point, registers it as the process's application
// (IApplication::GetCurrent, where the class library finds it), splits the command line
// and derives the program's name from the program file. The entry point
// (RunApplication) calls its Run.
class Application : public Object, public IApplication {
public:
    // className: the most-derived class's name. logging: open the log window at start.
    Application(const wchar_t* className, bool logging);
    virtual ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Runs the program; the result is the process's exit code.
    virtual int Run() = 0;

    // The process's application, or null when none is declared.
    static Application* GetInstance() { return dynamic_cast<Application*>(GetCurrent()); }

    // The program file's name from argument 0, without folder and extension ("my.app"
    // for C:\games\my.app.exe), or the application's class name when that is empty.
    // The update check takes its files' names from the program file itself instead,
    // since a caller chooses argument 0.
    const wchar_t* GetApplicationName() const override;
    // The program file's path; a bare name is joined to the current directory.
    const wchar_t* GetProgramPath() const { return programPath_.GetText(); }
    // The working directory at start, ending in a backslash.
    const wchar_t* GetStartDirectory() const { return currentDirectory_.GetText(); }
    int GetArgumentCount() const { return argumentCount_; }
    // index: 0 (the program) to GetArgumentCount() - 1.
    const wchar_t* GetArgument(int index) const {
        assert(index >= 0 && index < argumentCount_);
        return arguments_[index].GetText();
    }
    util::IProperties* GetProperties() const override;
    bool IsLogging() const { return logging_; }

    // Read from the version resource on first request and kept.
    const wchar_t* GetCompanyName() override;
    const wchar_t* GetProductName() override;
    const wchar_t* GetProductVersion() override;
    const wchar_t* GetFileDescription() override;
    const wchar_t* GetOriginalFilename() override;

    // The program's path and name from argument 0 and the working directory (without
    // its backslash): a bare file name is joined to the directory, and the name is the
    // file name without its extension.
    static void SplitProgramPath(const wchar_t* argument0, const wchar_t* directory, String& path, String& name);

private:
    void SetCommandLine(const wchar_t* commandLine);
    const wchar_t* CachedVersionValue(String& cache, const wchar_t* key);

    std::unique_ptr<util::RegistryProperties> properties_;
    String name_;
    String programPath_;
    String currentDirectory_;
    int argumentCount_ = 0;
    std::unique_ptr<String[]> arguments_;
    String companyName_;
    String productName_;
    String productVersion_;
    String fileDescription_;
    String originalFilename_;
    bool logging_;
};

// The entry point's work: runs the process's application and returns its exit code.
// Without an application it shows "No WindowsApplication declared" and returns -1; an
// Exception out of Run is shown in the "Exception thrown" box and gives -1.
int RunApplication();
