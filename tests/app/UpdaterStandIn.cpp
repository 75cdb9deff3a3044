// UpdaterStandIn: the updater program and the new version that the local update service hands out in tests.
#include <windows.h>

#include <fstream>

// Leaves the file "updater-ran" in its current directory, which is the folder of the
// program that started it, and ends. Built twice, with version resources that name the
// release after the tree's own and either the updater or the program as the file
// (see tests/app/CMakeLists.txt).
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    std::ofstream("updater-ran") << "ran\n";
    return 0;
}
