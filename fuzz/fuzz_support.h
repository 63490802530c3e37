// What the fuzz targets share: a property check that stops the run like a
// sanitizer finding, and a file of the fuzzer's bytes at a fixed temporary
// path for the parsers that read files.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>

#include <unistd.h>

namespace zephlin::fuzz {

// A broken property is a finding: report it and abort, so that libFuzzer
// keeps the input.
inline void require(bool holds, const char* property) {
    if (!holds) {
        std::fprintf(stderr, "property broken: %s\n", property);
        std::abort();
    }
}

// One file per fuzzing process, rewritten for every input and removed when
// the process ends.
class InputFile {
public:
    explicit InputFile(const std::string& name)
        : path_(std::filesystem::temp_directory_path() /
                ("zephlin-fuzz-" + std::to_string(::getpid()) + "-" + name)) {}
    ~InputFile() {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    const std::filesystem::path& path() const { return path_; }

    void write(std::span<const uint8_t> bytes) const {
        std::ofstream out(path_, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }

private:
    std::filesystem::path path_;
};

} // namespace zephlin::fuzz
