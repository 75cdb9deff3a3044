// enneo-generate: prints new puzzles, one per line (see GenerateTool).
#include "GenerateTool.h"

#include <iostream>

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    return GenerateTool(std::cout, std::cerr).Run(arguments);
}
