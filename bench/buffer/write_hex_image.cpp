// Writes the throughput benchmark's Intel HEX file, so that bench/run can time
// objcopy on the very same file.
#include "hex_image_text.h"

#include <cstdio>
#include <fstream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FILE.hex\n", argv[0]);
        return 2;
    }
    const std::string text = zephlin::bench::intelHexText();
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    return out ? 0 : 1;
}
