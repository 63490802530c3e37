// zephlin: the command-line programmer.
#include "parts_listing.h"

#include <cstring>
#include <iostream>

namespace {

constexpr int kUsageError = 64;

void printUsage(std::ostream& out) {
    out << "usage: zephlin COMMAND\n"
           "commands:\n"
           "  parts    list the supported parts\n";
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        printUsage(std::cout);
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "parts") == 0) {
        return zephlin::cli::listParts(std::cout) ? 0 : 1;
    }
    std::cerr << "zephlin: expected a command; see zephlin --help\n";
    return kUsageError;
}
