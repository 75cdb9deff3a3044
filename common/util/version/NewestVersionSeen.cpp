// NewestVersionSeen: the newest release the publisher has been seen to sign, kept in the settings.
#include "NewestVersionSeen.h"

#include "Version.h"

#include <cwchar>

namespace util {
namespace version {

const wchar_t* NewestVersionSeen::GetSettingName() {
    return std::wcscmp(ENNEO_ARCH, L"win64") == 0 ? L"NewestVersionSeenWin64" : L"NewestVersionSeen";
}

NewestVersionSeen::NewestVersionSeen(IProperties* properties) : Object(L"NewestVersionSeen"), properties_(properties) {}

String NewestVersionSeen::Get() const {
    String value;
    if (!properties_->GetProperty(GetSettingName(), value, nullptr) || !Version::IsVersionText(value.GetText())) {
        value.Set(L"");
    }
    return value;
}

bool NewestVersionSeen::IsBelow(const wchar_t* version) const {
    String newest = Get();
    return newest.GetLength() > 0 && Version(newest.GetText()).IsNewerThan(Version(version));
}

void NewestVersionSeen::Raise(const wchar_t* version) {
    if (!Version::IsVersionText(version)) return;
    String newest = Get();
    if (newest.GetLength() == 0 || Version(version).IsNewerThan(Version(newest.GetText()))) {
        properties_->SetProperty(GetSettingName(), version, nullptr);
    }
}

}  // namespace version
}  // namespace util
