// BoardSettings: the board's options that outlive the program, kept in its properties.
#pragma once

#include "BoardTheme.h"
#include "common/util/IProperties.h"

// Typed access to the program's properties (the registry under the program's key on
// Windows). Each setting is named here once with its default, which holds while the
// value is absent; a switch is kept as "1" (on) or "0" (off), a choice as the name of
// the value chosen.
class BoardSettings {
public:
    struct Switch {
        const wchar_t* name;
        bool byDefault;
    };
    // A choice among count values (0 to count - 1) kept by their names; an absent or
    // unknown name is the default.
    struct Choice {
        const wchar_t* name;
        const wchar_t* const* valueNames;
        int count;
        int byDefault;
    };

    // Options / Mark Selection: the selection and the cells holding its digit tinted.
    static constexpr Switch kMarkSelection = {L"MarkSelection", false};
    // Options / Show Timer: the time spent on the game in the window's caption.
    static constexpr Switch kShowTimer = {L"ShowTimer", false};
    // Options / Resume Last Game: the game in progress kept as it is played and put
    // back on the board at the next start.
    static constexpr Switch kResumeGame = {L"ResumeGame", true};
    // Options / Theme, by BoardTheme::Choice.
    static constexpr const wchar_t* kThemeNames[] = {L"Light", L"Dark", L"FollowWindows"};
    static constexpr Choice kTheme = {L"Theme", kThemeNames, 3, BoardTheme::kLight};
    // Options / Language: kept as the language's code ("de") in the value "Language";
    // absent, or a code of no catalogue's, follows Windows' display language.
    static constexpr const wchar_t* kLanguage = L"Language";
    static constexpr int kFollowWindows = -1;

    // properties: outlives this object.
    explicit BoardSettings(util::IProperties& properties) : properties_(properties) {}

    // The stored value, "1" on; its default while there is none.
    bool IsOn(const Switch& setting) const;
    void Set(const Switch& setting, bool on);
    int Get(const Choice& setting) const;
    // value: 0 to setting.count - 1.
    void Set(const Choice& setting, int value);
    // The language chosen, an index of Language (the pseudo-language's too, which no
    // menu offers), or kFollowWindows.
    int GetLanguage() const;
    // language: an index of Language, or kFollowWindows, which removes the value.
    void SetLanguage(int language);
    // The language to speak: the one chosen, else Windows' display language.
    int GetSpokenLanguage() const;

private:
    util::IProperties& properties_;
};
