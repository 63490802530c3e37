#include "Zephlin_DLL.h"

#include "catalogue/chip_catalogue.h"
#include "operations/option_codec.h"

namespace zephlin {
namespace {

constexpr std::size_t kListedSelectSlots = 6; // slots 6 and 7 carry a mask instead

ZephlinBodyInfo bodyInfoOf(const ChipRecord& chip) {
    // Cells the part's codec does not decode stay 0.
    OptionSettings defaults;
    decodeOptionWords(chip, defaultOptionWords(chip), defaults);

    ZephlinBodyInfo info{};
    info.partName = chip.partName;
    info.chipType = chip.chipType;
    info.seriesMask = chip.seriesMask;
    info.mainAreaSize = chip.mainAreaSize;
    info.secondAreaSize = chip.secondAreaSize;
    info.customerDataFlag = chip.customerDataFlag;
    info.checksumSaveFlag = chip.checksumSaveFlag;
    for (std::size_t k = 0; k < kSelectSlots; ++k) {
        ZephlinSelectCell& cell = info.selectCells[k];
        cell.name = chip.selects[k].name;
        if (k < kListedSelectSlots) {
            cell.choices.list = chip.selects[k].choices;
        } else {
            cell.choices.mask = chip.selects[k].mask;
        }
        cell.defaultValue = defaults.select[k];
    }
    for (std::size_t k = 0; k < kCheckSlots; ++k) {
        ZephlinCheckCell& cell = info.checkCells[k];
        cell.name = chip.checks[k].name;
        cell.attribute = chip.checks[k].attribute;
        cell.description = chip.checks[k].description;
        cell.defaultValue = defaults.check[k];
    }
    return info;
}

} // namespace
} // namespace zephlin

// The records live as long as the library; every call rebuilds them.
extern "C" ZEPHLIN_API int32_t GetBodyInfo(const ZephlinBodyInfo** records) {
    static std::array<ZephlinBodyInfo, zephlin::kCatalogueSize> table{};
    try {
        const auto catalogue = zephlin::chipCatalogue();
        for (std::size_t i = 0; i < table.size(); ++i) {
            table[i] = zephlin::bodyInfoOf(catalogue[i]);
        }
    } catch (...) {
        return 0;
    }
    if (records != nullptr) {
        *records = table.data();
    }
    return static_cast<int32_t>(table.size());
}
