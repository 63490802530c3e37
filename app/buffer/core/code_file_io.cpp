#include "buffer/core/code_file_io.h"

#include "support/file_replacement.h"

#include <fstream>
#include <system_error>

namespace zephlin {

FileBytes readWholeFile(const std::filesystem::path& path, uint64_t limit) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return {};
    }
    const uintmax_t size = std::filesystem::file_size(path, error);
    if (error) {
        return {};
    }
    if (size > limit) {
        return {FileBytes::Status::TooLarge, {}};
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return {};
    }
    FileBytes result{FileBytes::Status::Read, std::vector<uint8_t>(static_cast<std::size_t>(size))};
    in.read(reinterpret_cast<char*>(result.bytes.data()), static_cast<std::streamsize>(size));
    // A file that shrank between the size query and the read gives what it held.
    result.bytes.resize(static_cast<std::size_t>(in.gcount()));
    if (in.bad()) {
        return {};
    }
    return result;
}

bool writeWholeFile(const std::filesystem::path& path, std::span<const uint8_t> bytes) {
    FileReplacement file(path.string());
    return file.commit(bytes);
}

} // namespace zephlin
