// GameOwner: which running copy of the program keeps the game in progress, and where.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>

// One copy of the program at a time keeps the game in progress, so that two copies never
// write over each other's game: the first to start holds a named mutex (one per user on
// the machine, whichever session it runs in) and marks its board window. A later start with Resume Last Game on hands its
// file argument over to that window (WM_COPYDATA), brings it to the front and ends; one
// with the option off runs beside it and keeps no game.
class GameOwner {
public:
    GameOwner() = default;
    ~GameOwner();
    GameOwner(const GameOwner&) = delete;
    GameOwner& operator=(const GameOwner&) = delete;

    // Takes the game for this copy; false when another copy has it.
    bool Take();
    // Marks this copy's board window as the one that later starts hand over to.
    static void Mark(HWND window);
    // Hands file (a full path, or empty for none) over to the marked window, which
    // may still be coming up (waited for up to ten seconds), and brings that window to
    // the front. False when no window takes it.
    static bool HandOver(const std::wstring& file);
    // The file of a hand-over that a marked window received; false for any other
    // WM_COPYDATA, or a malformed one.
    static bool ReadHandOver(const COPYDATASTRUCT& data, std::wstring& file);
    // Where the game is kept: "game.enneo-game" in a folder named after the program
    // ("Enneo Tessary") in the user's local application data; empty when Windows does
    // not name that folder.
    static std::filesystem::path GetGameFile();

private:
    bool owner_ = false;
    HANDLE mutex_ = nullptr;
};
