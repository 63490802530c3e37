// A folder of its own for a test's files, removed with everything in it.
#pragma once

#include <filesystem>
#include <fstream>
#include <span>
#include <string>
#include <vector>

#include <stdlib.h>

namespace zephlin::testing {

class TemporaryFolder {
public:
    TemporaryFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "zephlin-test-XXXXXX");
        path_ = ::mkdtemp(pattern.data());
    }
    ~TemporaryFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    std::filesystem::path file(const std::string& name) const { return path_ / name; }
    std::wstring widePath(const std::string& name) const { return file(name).wstring(); }

    void write(const std::string& name, std::span<const uint8_t> bytes) const {
        std::ofstream out(file(name), std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }
    void write(const std::string& name, const std::string& text) const {
        write(name, std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
    }
    std::vector<uint8_t> read(const std::string& name) const {
        std::ifstream in(file(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    std::size_t entries() const {
        return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(path_),
                                                      std::filesystem::directory_iterator()));
    }

private:
    std::filesystem::path path_;
};

} // namespace zephlin::testing
