// BoardSettings: the board's options that outlive the program, kept in its properties.
#include "BoardSettings.h"

#include <cwchar>

bool BoardSettings::IsOn(const Switch& setting) const {
    String value;
    if (!properties_.GetProperty(setting.name, value, nullptr)) return setting.byDefault;
    return std::wcscmp(value.GetText(), L"1") == 0;
}

void BoardSettings::Set(const Switch& setting, bool on) {
    properties_.SetProperty(setting.name, on ? L"1" : L"0", nullptr);
}
