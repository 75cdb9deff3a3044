// The program's entry point and its one application object.
#include "EnneoApp.h"

#include "common/util/SystemLibrary.h"

// First, before the application object, whose Run makes the board window and with it
// the update check: DLLs are loaded from the system folder only (objects of one file are
// made in order).
static const bool dllsFromSystemFolder = (util::LoadDllsFromSystemFolderOnly(), true);

// The update service and publisher key come from the build (enneo_use_update_service
// in app/CMakeLists.txt): the configured ones for the shipped program, a test's own for
// its test builds.
static EnneoApp application(ENNEO_UPDATE_URL, ENNEO_UPDATE_PUBLIC_KEY);

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return RunApplication(); }
