// Application: the program's one application object.
#include "Application.h"

#include "common/Exception.h"
#include "common/util/logging/LoggerManager.h"
#include "common/util/logging/WindowLogger.h"
#include "common/util/RegistryProperties.h"
#include "common/util/VersionInfo.h"

#include <windows.h>

#include <shellapi.h>

Application::Application(const wchar_t* className, bool logging) : Object(className), logging_(logging) {
    SetCurrent(this);
    if (logging) {
        // The log window opens before anything else; its caption shows the class name,
        // since the program's name is not known yet.
        util::logging::WindowLogger* log = util::logging::WindowLogger::GetInstance();
        util::logging::LoggerManager::GetInstance()->AddLogger(log);
    }
    SetCommandLine(GetCommandLineW());
    properties_ = std::make_unique<util::RegistryProperties>(GetCompanyName(), GetProductName());
}

util::IProperties* Application::GetProperties() const { return properties_.get(); }

Application::~Application() {
    if (GetCurrent() == this) SetCurrent(nullptr);
}

void Application::SetCommandLine(const wchar_t* commandLine) {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(commandLine, &count);
    argumentCount_ = arguments ? count : 0;
    arguments_ = std::make_unique<String[]>(argumentCount_ > 0 ? argumentCount_ : 1);
    for (int i = 0; i < argumentCount_; ++i) arguments_[i].Set(arguments[i]);
    LocalFree(arguments);

    wchar_t directory[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, directory);
    currentDirectory_.Format(L"%s\\", directory);

    SplitProgramPath(argumentCount_ > 0 ? arguments_[0].GetText() : nullptr, directory, programPath_, name_);
}

void Application::SplitProgramPath(const wchar_t* argument0, const wchar_t* directory, String& path, String& name) {
    path.Set(argument0);
    name.Set(nullptr);
    if (path.IsEmpty()) return;
    if (path.FindLast(L"\\") < 0) path.Format(L"%s\\%s", directory, argument0);
    path.SubString(name, path.FindLast(L"\\") + 1, -1);
    int dot = name.FindLast(L".");
    if (dot >= 0) name.SubString(name, 0, dot);
}

const wchar_t* Application::GetApplicationName() const {
    return name_.GetLength() > 0 ? name_.GetText() : Object::GetName();
}

const wchar_t* Application::CachedVersionValue(String& cache, const wchar_t* key) {
    if (cache.GetLength() == 0) cache = util::GetVersionInfoValue(key);
    return cache.GetText();
}

const wchar_t* Application::GetCompanyName() { return CachedVersionValue(companyName_, L"CompanyName"); }
const wchar_t* Application::GetProductName() { return CachedVersionValue(productName_, L"ProductName"); }
const wchar_t* Application::GetProductVersion() { return CachedVersionValue(productVersion_, L"ProductVersion"); }
const wchar_t* Application::GetFileDescription() { return CachedVersionValue(fileDescription_, L"FileDescription"); }
const wchar_t* Application::GetOriginalFilename() { return CachedVersionValue(originalFilename_, L"OriginalFilename"); }

int RunApplication() {
    Application* application = Application::GetInstance();
    if (application == nullptr) {
        MessageBoxW(nullptr, L"No WindowsApplication declared", L"ERROR", MB_ICONERROR);
        return -1;
    }
    try {
        return application->Run();
    } catch (Exception* e) {
        MessageBoxW(nullptr, e->GetMessageText(), L"Exception thrown", MB_SETFOREGROUND | MB_ICONWARNING);
        delete e;
        return -1;
    }
}
