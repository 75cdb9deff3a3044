// UpdaterStandIn: the updater program, and the new version, the local update service hands out in tests.
#include <windows.h>

#include <fstream>

// Leaves the file "updater-ran" in its current directory, which is the folder of the
// program that started it, and ends. Its version resource names the release after the
// tree's own, so that the same file also serves as the new version of the program.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    std::ofstream("updater-ran") << "ran\n";
    return 0;
}
