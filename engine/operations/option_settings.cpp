#include "operations/option_settings.h"

#include <algorithm>

namespace zephlin {

OptionSettings optionSettingsOf(const ZephlinContext& context) {
    OptionSettings settings;
    std::copy(std::begin(context.selectSettings), std::end(context.selectSettings),
              settings.select.begin());
    std::copy(std::begin(context.checkSettings), std::end(context.checkSettings),
              settings.check.begin());
    return settings;
}

void storeOptionSettings(ZephlinContext& context, const OptionSettings& settings) {
    std::copy(settings.select.begin(), settings.select.end(), std::begin(context.selectSettings));
    std::copy(settings.check.begin(), settings.check.end(), std::begin(context.checkSettings));
}

} // namespace zephlin
