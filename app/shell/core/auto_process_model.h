// The Auto dialog's logic without widgets: its check boxes mirror the step
// flags of the main record, every click changes the flags at once, Program
// and Write Options tick Save Chip Checksum when both are ticked, and the
// Save Chip Checksum box shows only for parts that store the chip checksum.
#pragma once

#include "common/text_pair.h"
#include "shell/core/control_ids.h"

#include <array>
#include <cstdint>
#include <optional>

namespace zephlin {

struct AutoStepBox {
    int id;
    uint16_t flag;
    TextPair text;
};

// The seven boxes in their order in the dialog, top to bottom.
const std::array<AutoStepBox, 7>& autoStepBoxes();

namespace texts {
inline constexpr TextPair kAutoRun{L"Run", L"执行"};
} // namespace texts

class AutoProcessModel {
public:
    // The flags are the main record's step flags, which the model changes in
    // place; checksumSaveFlag is the selected part's.
    AutoProcessModel(uint16_t& stepFlags, uint32_t checksumSaveFlag)
        : flags_(stepFlags), saveBoxShown_(checksumSaveFlag == 1) {}

    // Whether box id is ticked; nothing for an identifier that is no box.
    std::optional<bool> ticked(int id) const;
    bool saveChecksumShown() const { return saveBoxShown_; }

    // The user's click: the box is now ticked or not.
    void click(int id, bool ticked);

private:
    uint16_t& flags_;
    bool saveBoxShown_;
};

} // namespace zephlin
