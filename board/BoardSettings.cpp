// BoardSettings: the board's options that outlive the program, kept in its properties.
#include "BoardSettings.h"

#include <cassert>
#include <cwchar>

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
