// dawnhelm-cli: the rise and set computations of Dawnhelm from a terminal.
#include <iostream>
#include <string>
#include <vector>

#include "cli/frame.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    return dawn::cli::RunCommandLine(args, std::cout, std::cerr);
}
