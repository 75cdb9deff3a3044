// SystemLibrary: a DLL taken from the system folder only, and the functions it exports.
#pragma once

#include "common/Object.h"

#include <windows.h>

namespace util {

// A DLL that is not among those Windows always takes from the system folder (bcrypt,
// version, comctl32): imported at load time, it would be searched for in the program's
// folder first, where a planted copy could stand in for it (and, say, accept every
// signature). It is loaded with LoadLibraryExW from the system folder alone instead,
// and stays loaded for the rest of the process, so the functions found stay valid.
class SystemLibrary : public Object {
public:
    // name: the DLL's file name ("bcrypt.dll"). Raises when the system folder lacks it.
    explicit SystemLibrary(const wchar_t* name);

    // The exported function procedure, with the type of its declaration:
    // library.Find<decltype(BCryptHashData)>("BCryptHashData"). Raises when the DLL
    // does not export it. (decltype takes no address, so nothing is imported.)
    template <typename Function>
    Function* Find(const char* procedure) const {
        // Through void (*)(), the one function type GCC lets any other cast to silently.
        return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(FindProcedure(procedure)));
    }

    // The exported function procedure of the DLL name in the system folder, typed as
    // Find's, or null when the system lacks the DLL or the function (one that a newer
    // Windows brings). A DLL found stays loaded, so the function stays valid.
    template <typename Function>
    static Function* FindOptional(const wchar_t* name, const char* procedure) {
        return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(FindOptionalProcedure(name, procedure)));
    }

private:
    FARPROC FindProcedure(const char* procedure) const;
    static FARPROC FindOptionalProcedure(const wchar_t* name, const char* procedure);

    HMODULE module_;
};

// Makes the system folder the only place from which this process loads a DLL by its
// bare name (SetDefaultDllDirectories), whoever asks for it: the program's folder and
// the current directory are never searched. A program calls it first thing, before
// anything that may load a DLL.
void LoadDllsFromSystemFolderOnly();

}  // namespace util
