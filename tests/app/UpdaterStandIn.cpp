// UpdaterStandIn: the updater program the local update service hands out in tests.
#include <windows.h>

#include <fstream>

// Leaves the file "updater-ran" in its current directory, which is where the program
// that started it downloaded it, and ends.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    std::ofstream("updater-ran") << "ran\n";
    return 0;
}
