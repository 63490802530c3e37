// Where an area buffer's bytes live: in the hex editor of the area's page,
// which shows them and takes the user's edits. The code buffer reads and
// writes them only through this interface, so every command sees the bytes
// the editor shows.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace zephlin {

class AreaStorage {
public:
    virtual ~AreaStorage() = default;
    // Replaces the bytes with a copy of the given ones (none: empty).
    virtual void setBytes(std::span<const uint8_t> bytes) = 0;
    // A copy of the current bytes.
    virtual std::vector<uint8_t> bytes() const = 0;
    virtual std::size_t length() const = 0;
};

// Bytes kept in memory, for the command-line tool and tests.
class MemoryAreaStorage : public AreaStorage {
public:
    void setBytes(std::span<const uint8_t> bytes) override {
        bytes_.assign(bytes.begin(), bytes.end());
    }
    std::vector<uint8_t> bytes() const override { return bytes_; }
    std::size_t length() const override { return bytes_.size(); }

private:
    std::vector<uint8_t> bytes_;
};

} // namespace zephlin
