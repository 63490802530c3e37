// The Select Area dialog's logic: where Load File places a code file and
// whether it clears or fills the current page's buffer.
#pragma once

#include "buffer/core/load_record.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace zephlin {

class SelectAreaModel {
public:
    struct Result {
        uint32_t loadAddress;
        bool clearBuffer;
        FillMode fillMode;
    };

    // Opens for a page with its current fill mode: "Clear Buffer" ticked,
    // the fill box and value from the fill mode, the address 00000000.
    explicit SelectAreaModel(FillMode pageFillMode);

    void setClearBuffer(bool ticked) { clearBuffer_ = ticked; }
    void setFill(bool ticked) { fill_ = ticked; }
    void chooseZeros(bool zeros) { zeros_ = zeros; }
    void setAddressText(std::wstring_view text);

    bool clearBuffer() const { return clearBuffer_; }
    bool fill() const { return fill_; }
    bool zerosChosen() const { return zeros_; }
    const std::wstring& addressText() const { return address_; }

    // A buffer that is already filled keeps its fill when it is merged into:
    // without "Clear Buffer" the fill controls are then disabled.
    bool fillBoxEnabled() const { return clearBuffer_ || pageFillMode_ == FillMode::None; }
    bool fillValuesEnabled() const { return fillBoxEnabled() && fill_; }

    // OK: the address read as hexadecimal (empty 0, beyond 32 bits
    // 0xFFFFFFFF), the clear-buffer option and the page's new fill mode.
    Result accept() const;

private:
    FillMode pageFillMode_;
    bool clearBuffer_ = true;
    bool fill_;
    bool zeros_;
    std::wstring address_ = L"00000000";
};

} // namespace zephlin
