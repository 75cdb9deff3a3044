// HoldFile: keeps a file open so that no other program can open it exclusively, for tests driven from outside.
#include <windows.h>

#include <cstdio>

// usage: hold_file FILE
// Opens FILE for reading, sharing read access only, prints "held" and waits until it
// is killed. An updater that waits for the program to let go of its file stays in
// that wait meanwhile. Exit code 1 when the file cannot be opened, 2 for bad arguments.
int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fputs("usage: hold_file FILE\n", stderr);
        return 2;
    }
    HANDLE file = CreateFileW(argv[1], GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    std::puts("held");
    std::fflush(stdout);
    Sleep(INFINITE);
    return 0;
}
