#include "project/project_files.h"

#include "support/file_replacement.h"
#include "support/utf8.h"

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace zephlin::project {

std::wstring folderOfPath(const std::wstring& path) {
    const std::size_t slash = path.rfind(L'/');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

std::wstring nameOfPath(const std::wstring& path) {
    const std::size_t slash = path.rfind(L'/');
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

FileContent readWholeFile(const std::wstring& path, std::size_t limit) {
    FileContent content;
    const UniqueFd fd(::open(utf8::fromWide(path).c_str(), O_RDONLY | O_CLOEXEC));
    struct stat info {};
    if (fd.get() < 0 || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return content;
    }
    if (static_cast<uint64_t>(info.st_size) > limit) {
        content.status = FileContent::Status::TooLarge;
        return content;
    }
    content.bytes.resize(static_cast<std::size_t>(info.st_size));
    std::size_t filled = 0;
    while (filled < content.bytes.size()) {
        const ssize_t got =
            ::read(fd.get(), content.bytes.data() + filled, content.bytes.size() - filled);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            content.bytes.clear();
            return content;
        }
        if (got == 0) {
            break; // the file became shorter while it was read
        }
        filled += static_cast<std::size_t>(got);
    }
    content.bytes.resize(filled);
    content.status = FileContent::Status::Read;
    return content;
}

} // namespace zephlin::project
