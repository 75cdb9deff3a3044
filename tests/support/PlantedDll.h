// PlantedDll: the tests' bcrypt.dll planted where a program looks first, and preferred to the system's.
#pragma once

#include "ProgramUnderTest.h"

#include <windows.h>

#include <initializer_list>
#include <string>

// Copies the bcrypt.dll that accepts every signature (PlantedBcrypt.c) into folders and
// makes Wine prefer it for one program, as WINEDLLOVERRIDES=bcrypt=n,b would: in the
// registry (AppDefaults\<program>\DllOverrides), since Wine reads the variable from
// the environment it was started with, not from the Windows process that starts the
// program. The override goes with the object; the files go with their folders.
class PlantedBcrypt {
public:
    // dll: the Unix path of the planted DLL; program: the file name of the program
    // ("Enneo.exe"); folders: Windows paths ending in a backslash.
    PlantedBcrypt(const char* dll, const wchar_t* program, std::initializer_list<std::wstring> folders)
        : key_(std::wstring(L"Software\\Wine\\AppDefaults\\") + program) {
        for (const std::wstring& folder : folders) {
            copied_ &=
                CopyFileW(ProgramUnderTest::WindowsPath(dll).c_str(), (folder + L"bcrypt.dll").c_str(), FALSE) != FALSE;
        }
        const wchar_t preferred[] = L"native,builtin";
        copied_ &= RegSetKeyValueW(HKEY_CURRENT_USER, (key_ + L"\\DllOverrides").c_str(), L"bcrypt", REG_SZ, preferred,
                                   sizeof preferred) == ERROR_SUCCESS;
    }
    ~PlantedBcrypt() { RegDeleteTreeW(HKEY_CURRENT_USER, key_.c_str()); }
    PlantedBcrypt(const PlantedBcrypt&) = delete;
    PlantedBcrypt& operator=(const PlantedBcrypt&) = delete;

    // Whether every copy and the override were made.
    bool IsPlanted() const { return copied_; }

private:
    std::wstring key_;
    bool copied_ = true;
};
