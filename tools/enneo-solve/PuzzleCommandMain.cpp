// The entry point of the console tools over puzzles: runs the program's PuzzleCommand.
#include "PuzzleCommand.h"

#include "common/TextConversion.h"

#include <cstdio>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

int wmain(int argc, wchar_t** argv) {
    // Puzzle files are read byte for byte: CR matters to the text format.
    _setmode(_fileno(stdin), _O_BINARY);
    std::vector<std::wstring> arguments(argv + 1, argv + argc);
    return MakePuzzleCommand(stdin, stdout, stderr)->Run(arguments);
}
#else
int main(int argc, char** argv) {
    std::vector<std::wstring> arguments;
    for (int i = 1; i < argc; ++i) arguments.push_back(AnsiToWide(argv[i]));
    return MakePuzzleCommand(stdin, stdout, stderr)->Run(arguments);
}
#endif
