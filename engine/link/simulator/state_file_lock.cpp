#include "link/simulator/state_file_lock.h"

#include <cerrno>
#include <cstring>
#include <map>
#include <mutex>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zephlin::sim {
namespace {

// The holds of this program, by path: flock excludes every other open of the
// file, this program's own included.
struct Holds {
    std::mutex mutex;
    std::map<std::string, std::weak_ptr<StateFileLock>> byPath;
};

Holds& holds() {
    static Holds instance;
    return instance;
}

std::string reasonOf(const std::string& what, int error) {
    return what + ": " + std::strerror(error);
}

bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool lockExclusively(int fd, bool wait) {
    while (::flock(fd, LOCK_EX | (wait ? 0 : LOCK_NB)) != 0) {
        if (errno != EINTR) {
            return false;
        }
    }
    return true;
}

// Opens and locks the file that the path names once the lock is held: a
// file renamed over the path while this program waited is opened again.
UniqueFd openLocked(const std::string& path, std::string& error,
                    const std::function<void()>& announceWait) {
    constexpr int kMostReopens = 1000;
    bool announced = false;
    for (int attempt = 0; attempt < kMostReopens; ++attempt) {
        struct stat named {};
        // Nothing but a regular file is opened: opening a FIFO or a device
        // can block or act on it.
        if (::stat(path.c_str(), &named) == 0 && !S_ISREG(named.st_mode)) {
            error = path + " is not a regular file";
            return {};
        }
        UniqueFd file(
            ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0666));
        struct stat opened {};
        if (!file.valid() || ::fstat(file.get(), &opened) != 0) {
            error = reasonOf("cannot open " + path, errno);
            return {};
        }
        if (!S_ISREG(opened.st_mode)) {
            error = path + " is not a regular file";
            return {};
        }
        if (!lockExclusively(file.get(), false)) {
            if (errno != EWOULDBLOCK) {
                error = reasonOf("cannot lock " + path, errno);
                return {};
            }
            if (!announced && announceWait) {
                announceWait();
                announced = true;
            }
            if (!lockExclusively(file.get(), true)) {
                error = reasonOf("cannot lock " + path, errno);
                return {};
            }
        }
        if (::stat(path.c_str(), &named) == 0 && sameFile(named, opened)) {
            return file;
        }
    }
    error = path + " keeps being replaced";
    return {};
}

} // namespace

std::shared_ptr<StateFileLock> StateFileLock::acquire(const std::filesystem::path& path,
                                                      std::string& error,
                                                      const std::function<void()>& announceWait) {
    std::error_code failure;
    const std::filesystem::path absolute = std::filesystem::absolute(path, failure);
    if (failure) {
        error = "cannot find " + path.string() + ": " + failure.message();
        return nullptr;
    }
    const std::string resolved = files::withLinksFollowed(absolute.lexically_normal().string());
    if (resolved.empty()) {
        error = "too many symbolic links in " + path.string();
        return nullptr;
    }
    Holds& all = holds();
    const std::lock_guard guard(all.mutex);
    if (auto held = all.byPath[resolved].lock()) {
        return held;
    }
    UniqueFd file = openLocked(resolved, error, announceWait);
    if (!file.valid()) {
        return nullptr;
    }
    auto lock = std::make_shared<StateFileLock>(resolved, std::move(file));
    all.byPath[resolved] = lock;
    return lock;
}

std::optional<std::vector<uint8_t>> StateFileLock::read(std::size_t limit,
                                                        std::string& error) const {
    struct stat info {};
    if (::fstat(file_.get(), &info) != 0) {
        error = reasonOf("cannot read " + path_, errno);
        return std::nullopt;
    }
    if (static_cast<uint64_t>(info.st_size) > limit) {
        error = path_ + " is too large for a state file";
        return std::nullopt;
    }
    std::vector<uint8_t> bytes(static_cast<std::size_t>(info.st_size));
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        const ssize_t got = ::pread(file_.get(), bytes.data() + filled, bytes.size() - filled,
                                    static_cast<off_t>(filled));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            error = reasonOf("cannot read " + path_, errno);
            return std::nullopt;
        }
        if (got == 0) {
            break;
        }
        filled += static_cast<std::size_t>(got);
    }
    bytes.resize(filled);
    return bytes;
}

bool StateFileLock::replace(std::span<const uint8_t> bytes, std::string& error) {
    FileReplacement next(path_);
    // Nobody else knows the new file yet, so its lock is free.
    if (!next.isOpen() || !lockExclusively(next.descriptor(), false)) {
        error = reasonOf("cannot write beside " + path_, errno);
        return false;
    }
    if (!next.commit(bytes)) {
        error = reasonOf("cannot write " + path_, errno);
        return false;
    }
    // Holding the new file first, then letting the old one go: a program
    // waiting on the old one finds it replaced and waits on this one.
    file_ = next.takeFile();
    return true;
}

} // namespace zephlin::sim
