// The option settings of a part: one value per select slot and one check state
// per check slot, as the operation context record carries them.
#pragma once

#include "Zephlin_DLL.h"

#include <array>
#include <cstdint>

namespace zephlin {

struct OptionSettings {
    std::array<uint32_t, ZEPHLIN_SELECT_SLOTS> select{};
    std::array<uint32_t, ZEPHLIN_CHECK_SLOTS> check{};

    bool isChecked(std::size_t slot) const { return check.at(slot) == 1; }
};

OptionSettings optionSettingsOf(const ZephlinContext& context);
void storeOptionSettings(ZephlinContext& context, const OptionSettings& settings);

} // namespace zephlin
