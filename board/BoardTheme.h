// BoardTheme: the player's choice of look, and the look it gives on the system at hand.
#pragma once

// The theme is kept as a choice (Options / Theme); what the board is drawn in follows
// from it and from two settings of the system: High Contrast, which always wins, and the
// apps' light or dark mode, which Follow Windows takes.
struct BoardTheme {
    // In the order of the Options / Theme items.
    enum Choice { kLight, kDark, kFollowWindows };
    enum Look { kLightLook, kDarkLook, kHighContrastLook };

    static Look LookOf(Choice choice, bool appsDark, bool highContrast) {
        if (highContrast) return kHighContrastLook;
        bool dark = choice == kDark || (choice == kFollowWindows && appsDark);
        return dark ? kDarkLook : kLightLook;
    }
};
