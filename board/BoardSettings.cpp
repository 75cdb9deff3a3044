// BoardSettings: the board's options that outlive the program, kept in its properties.
#include "BoardSettings.h"

#include "languages/Language.h"

#include <cassert>
#include <cstring>
#include <cwchar>
#include <string>

namespace {

std::wstring LanguageSetting(util::IProperties& properties) {
    String value;
    if (!properties.GetProperty(BoardSettings::kLanguage, value, nullptr)) return std::wstring();
    return value.GetText();
}

}  // namespace

bool BoardSettings::IsOn(const Switch& setting) const {
    String value;
    if (!properties_.GetProperty(setting.name, value, nullptr)) return setting.byDefault;
    return std::wcscmp(value.GetText(), L"1") == 0;
}

void BoardSettings::Set(const Switch& setting, bool on) {
    properties_.SetProperty(setting.name, on ? L"1" : L"0", nullptr);
}

int BoardSettings::Get(const Choice& setting) const {
    String value;
    if (!properties_.GetProperty(setting.name, value, nullptr)) return setting.byDefault;
    for (int i = 0; i < setting.count; ++i) {
        if (std::wcscmp(value.GetText(), setting.valueNames[i]) == 0) return i;
    }
    return setting.byDefault;
}

void BoardSettings::Set(const Choice& setting, int value) {
    assert(value >= 0 && value < setting.count);
    properties_.SetProperty(setting.name, setting.valueNames[value], nullptr);
}

int BoardSettings::GetLanguage() const {
    std::wstring code = LanguageSetting(properties_);
    int language = code.empty() ? -1 : Language::Find(code);
    return language >= 0 ? language : kFollowWindows;
}

void BoardSettings::SetLanguage(int language) {
    assert(language == kFollowWindows || (language >= 0 && language < Language::Count()));
    if (language == kFollowWindows) {
        properties_.RemoveProperty(kLanguage, nullptr);
        return;
    }
    const char* code = Language::Code(language);
    properties_.SetProperty(kLanguage, std::wstring(code, code + std::strlen(code)).c_str(), nullptr);
}

int BoardSettings::GetSpokenLanguage() const { return Language::OfSetting(LanguageSetting(properties_)); }
