// What the project tests share: contexts for a part, recognisable images and
// option settings that differ from a part's defaults.
#pragma once

#include "../pattern_image.h"
#include "Zephlin_DLL.h"
#include "catalogue/chip_catalogue.h"
#include "operations/option_codec.h"
#include "operations/option_settings.h"
#include "support/checksum16.h"

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <vector>

namespace zephlin::testing {

inline int32_t firstIndexOfType(uint8_t chipType) {
    const auto records = chipCatalogue();
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (records[i].chipType == chipType) {
            return static_cast<int32_t>(i);
        }
    }
    throw std::logic_error("no part of that chip type");
}

// A zeroed record for a part; the record is large, so it lives on the heap.
inline std::unique_ptr<ZephlinContext> contextFor(int32_t chipIndex) {
    auto context = std::make_unique<ZephlinContext>();
    *context = ZephlinContext{};
    context->chipIndex = chipIndex;
    return context;
}

// A record holding images as a command hands them over: pointers, sizes and
// 16-bit sums, with erased customer and serial strings. The images belong
// to the object.
struct ContextWithImages {
    std::unique_ptr<ZephlinContext> context;
    std::vector<uint8_t> code;
    std::vector<uint8_t> data;

    ContextWithImages(int32_t chipIndex, std::size_t codeSize, std::size_t dataSize)
        : context(contextFor(chipIndex)), code(patternImage(codeSize, 3)),
          data(patternImage(dataSize, 99)) {
        context->codeImage = code.data();
        context->codeSize = static_cast<uint32_t>(code.size());
        context->codeChecksum = checksum16(code);
        context->dataImage = data.empty() ? nullptr : data.data();
        context->dataSize = static_cast<uint32_t>(data.size());
        context->dataChecksum = checksum16(data);
        std::fill(std::begin(context->customerString), std::end(context->customerString), 0xFF);
        std::fill(std::begin(context->serialString), std::end(context->serialString), 0xFF);
    }
};

// Settings the codec keeps as they are: every check of the defaults turned
// over and every list or number moved by one, then passed through the codec
// once so that only values it can represent remain.
inline OptionSettings nonDefaultSettings(const ChipRecord& chip) {
    OptionSettings settings;
    decodeOptionWords(chip, defaultOptionWords(chip), settings);
    for (uint32_t& check : settings.check) {
        check = check == 1 ? 0 : 1;
    }
    for (uint32_t& select : settings.select) {
        select = select == 0 ? 1 : select - 1;
    }
    OptionSettings representable;
    decodeOptionWords(chip, buildOptionWords(chip, settings, {}), representable);
    return representable;
}

} // namespace zephlin::testing
