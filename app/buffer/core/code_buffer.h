// The code buffer: one area buffer per memory area of the selected part (the
// main area on page 0, the second area on page 1), each with its load record,
// and the load address and clear-buffer option of the Select Area dialog.
#pragma once

#include "buffer/core/area_storage.h"
#include "buffer/core/load_record.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace zephlin {

inline constexpr int kMainPage = 0;
inline constexpr int kSecondPage = 1;
inline constexpr int kPageCount = 2;

// The three computed fields below a page's hex editor.
struct PageInformation {
    std::wstring bufferSize;     // the buffer length, "%d"
    std::wstring bufferChecksum; // 16-bit sum of the buffer, "%04X"
    std::wstring chipChecksum;   // 16-bit sum of the area with 0xFF after the buffer, "%04X"

    bool operator==(const PageInformation&) const = default;
};

PageInformation describeArea(std::span<const uint8_t> bytes, uint32_t capacity);

class CodeBuffer {
public:
    // The storages are the pages' hex editors (page 0, page 1).
    CodeBuffer(AreaStorage& mainArea, AreaStorage& secondArea);

    // The part change: both buffers empty, both load records cleared, the
    // load address 0, and the capacities of the new part (0: no second area).
    void resetForPart(uint32_t mainCapacity, uint32_t secondCapacity);

    uint32_t capacity(int page) const { return capacities_.at(page); }
    bool hasSecondArea() const { return capacities_[kSecondPage] != 0; }

    // Sets a page's buffer; refused (false, nothing changes) when the bytes
    // exceed the area's capacity.
    bool setArea(int page, std::span<const uint8_t> bytes);
    std::vector<uint8_t> readArea(int page) const;
    std::size_t length(int page) const;
    PageInformation information(int page) const;

    LoadRecord& loadRecord(int page) { return records_.at(page); }
    const LoadRecord& loadRecord(int page) const { return records_.at(page); }
    // Whether any page holds something loaded (Save KDX and Off-Line Mode
    // refuse to run otherwise).
    bool anyPageLoaded() const;

    uint32_t loadAddress() const { return loadAddress_; }
    void setLoadAddress(uint32_t address) { loadAddress_ = address; }
    bool clearBufferOption() const { return clearBuffer_; }
    void setClearBufferOption(bool clear) { clearBuffer_ = clear; }

private:
    AreaStorage& storage(int page) const { return *storages_.at(page); }

    std::array<AreaStorage*, kPageCount> storages_;
    std::array<uint32_t, kPageCount> capacities_{};
    std::array<LoadRecord, kPageCount> records_;
    uint32_t loadAddress_ = 0;
    bool clearBuffer_ = false;
};

} // namespace zephlin
