// NewestVersionSeen: the newest release the publisher has been seen to sign, kept in the settings.
#include "NewestVersionSeen.h"

#include "Version.h"

namespace util {
namespace version {

NewestVersionSeen::NewestVersionSeen(IProperties* properties) : Object(L"NewestVersionSeen"), properties_(properties) {}

String NewestVersionSeen::Get() const {
    String value;
    if (!properties_->GetProperty(kSetting, value, nullptr) || !Version::IsVersionText(value.GetText())) {
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
        properties_->SetProperty(kSetting, version, nullptr);
    }
}

}  // namespace version
}  // namespace util
