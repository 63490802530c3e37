// Writing a file so that a failure never destroys what was there: the bytes go
// to a temporary file beside the target, are flushed to the disk and only then
// renamed over the target. Shared by the library (project files, the writer
// simulator's state file) and the programs (binary files they write). Paths
// are bytes as the file system takes them (UTF-8 text).
#pragma once

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zephlin {

// An open file descriptor, closed by its owner.
class UniqueFd {
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : fd_(fd) {}
    ~UniqueFd() { reset(); }
    UniqueFd(UniqueFd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept {
        if (this != &other) {
            reset();
            fd_ = std::exchange(other.fd_, -1);
        }
        return *this;
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    void reset() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
        fd_ = -1;
    }

private:
    int fd_ = -1;
};

namespace files {

// The folder part of a path with its trailing separator; empty for a bare name.
inline std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// The path a name stands for once its symbolic links are followed, so that
// replacing it writes the file the link points to and keeps the link; a
// dangling link names the file it would point to. Empty for a chain of links
// that does not end.
inline std::string withLinksFollowed(std::string path) {
    constexpr int kMostLinks = 40; // as the kernel follows them
    for (int hop = 0; hop < kMostLinks; ++hop) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            return path;
        }
        std::vector<char> target(static_cast<std::size_t>(info.st_size) + 256);
        const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
        if (length < 0 || static_cast<std::size_t>(length) >= target.size()) {
            return path; // changed under us: replace what the name is now
        }
        std::string next(target.data(), static_cast<std::size_t>(length));
        if (!next.starts_with('/')) {
            next.insert(0, folderOf(path));
        }
        path = std::move(next);
    }
    return {};
}

inline bool writeAll(int fd, std::span<const uint8_t> bytes) {
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

// A rename is only durable once the folder's entry is on the disk too.
inline void flushFolder(const std::string& folder) {
    const UniqueFd fd(
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.valid()) {
        ::fsync(fd.get());
    }
}

} // namespace files

// A file that replaces its target only once it is complete. A replacement that
// is not committed removes its temporary file; a symbolic link as the target
// stays a link to the replaced file.
class FileReplacement {
public:
    explicit FileReplacement(const std::string& target)
        : target_(files::withLinksFollowed(target)), folder_(files::folderOf(target_)) {
        if (target_.empty()) {
            return;
        }
        // A short name of its own, so that a target name near the file
        // system's limit still leaves room; hidden, as nobody should open it.
        static std::atomic<unsigned> serial{0};
        constexpr int kAttempts = 16;
        for (int attempt = 0; attempt < kAttempts && !file_.valid(); ++attempt) {
            std::string candidate = folder_ + ".zephlin-" + std::to_string(::getpid()) + "-" +
                                    std::to_string(serial.fetch_add(1)) + ".tmp";
            // Created like any new file (0666 less the umask); a replaced
            // file keeps its own permissions.
            file_ =
                UniqueFd(::open(candidate.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
            if (file_.valid()) {
                temporary_ = std::move(candidate);
            } else if (errno != EEXIST) {
                return;
            }
        }
        struct stat existing {};
        if (file_.valid() && ::stat(target_.c_str(), &existing) == 0) {
            ::fchmod(file_.get(), existing.st_mode & 07777);
        }
    }
    ~FileReplacement() {
        if (!temporary_.empty()) {
            ::unlink(temporary_.c_str());
        }
    }
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // Whether the temporary file could be created.
    bool isOpen() const { return file_.valid(); }
    // The temporary file, for a caller that locks it before it takes the
    // target's name.
    int descriptor() const { return file_.get(); }
    // The file that is replaced: the target with its links followed.
    const std::string& target() const { return target_; }

    // Writes the parts in order, flushes them and renames the file over the
    // target. False when any step failed; the target is then untouched. The
    // descriptor stays open on the new file until takeFile() or destruction.
    bool commit(std::span<const std::span<const uint8_t>> parts) {
        if (!file_.valid() || temporary_.empty()) {
            return false;
        }
        for (const std::span<const uint8_t> part : parts) {
            if (!files::writeAll(file_.get(), part)) {
                return false;
            }
        }
        if (::fsync(file_.get()) != 0 || ::rename(temporary_.c_str(), target_.c_str()) != 0) {
            return false;
        }
        temporary_.clear();
        files::flushFolder(folder_);
        return true;
    }
    bool commit(std::span<const uint8_t> bytes) {
        const std::span<const uint8_t> parts[] = {bytes};
        return commit(parts);
    }

    // The descriptor of the committed file.
    UniqueFd takeFile() { return std::move(file_); }

private:
    std::string target_;
    std::string folder_;
    std::string temporary_;
    UniqueFd file_;
};

} // namespace zephlin
