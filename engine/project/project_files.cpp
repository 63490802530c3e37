#include "project/project_files.h"

#include "support/utf8.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace zephlin::project {
namespace {

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

bool writeAll(int fd, std::span<const uint8_t> bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        bytes = bytes.subspan(static_cast<std::size_t>(written));
    }
    return true;
}

// The rename is only durable once the folder's entry is on the disk too.
void flushFolder(const std::string& folder) {
    const Descriptor fd(
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() >= 0) {
        ::fsync(fd.get());
    }
}

} // namespace

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
    const Descriptor fd(::open(utf8::fromWide(path).c_str(), O_RDONLY | O_CLOEXEC));
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

FileReplacement::FileReplacement(const std::wstring& target)
    : target_(utf8::fromWide(target)), folder_(utf8::fromWide(folderOfPath(target))) {
    // A short name of its own, so that a target name near the file system's
    // limit still leaves room; hidden, as nobody should open it.
    static std::atomic<unsigned> serial{0};
    constexpr int kAttempts = 16;
    for (int attempt = 0; attempt < kAttempts && descriptor_ < 0; ++attempt) {
        const std::string candidate = folder_ + ".zephlin-" + std::to_string(::getpid()) + "-" +
                                      std::to_string(serial.fetch_add(1)) + ".tmp";
        // Created like any new file (0666 less the umask); a replaced file
        // keeps its own permissions.
        descriptor_ = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor_ >= 0) {
            temporary_ = candidate;
        } else if (errno != EEXIST) {
            return;
        }
    }
    struct stat existing {};
    if (descriptor_ >= 0 && ::stat(target_.c_str(), &existing) == 0) {
        ::fchmod(descriptor_, existing.st_mode & 07777);
    }
}

FileReplacement::~FileReplacement() {
    if (descriptor_ >= 0) {
        ::close(descriptor_);
    }
    if (!temporary_.empty()) {
        ::unlink(temporary_.c_str());
    }
}

bool FileReplacement::commit(std::span<const std::span<const uint8_t>> parts) {
    if (descriptor_ < 0) {
        return false;
    }
    for (const std::span<const uint8_t> part : parts) {
        if (!writeAll(descriptor_, part)) {
            return false;
        }
    }
    const int fd = descriptor_;
    descriptor_ = -1;
    const bool flushed = ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!flushed || !closed || ::rename(temporary_.c_str(), target_.c_str()) != 0) {
        return false;
    }
    temporary_.clear();
    flushFolder(folder_);
    return true;
}

} // namespace zephlin::project
