#include "Zephlin_DLL.h"

#include "catalogue/chip_catalogue.h"
#include "support/extension_struct.h"

namespace {

// The details struct of the first release ends with optionWordCount.
constexpr std::size_t kFirstReleaseSize = ZEPHLIN_MEMBER_END(ZephlinPartDetails, optionWordCount);

} // namespace

extern "C" ZEPHLIN_API int32_t ZephlinGetPartDetails(int32_t chipIndex,
                                                     ZephlinPartDetails* details) {
    const zephlin::ChipRecord* chip = zephlin::findChip(chipIndex);
    if (chip == nullptr) {
        return 0;
    }
    const ZephlinPartDetails filled{
        .structSize = sizeof(ZephlinPartDetails),
        .deviceId = chip->deviceId,
        .chipId = chip->chipId,
        .projectVersion = chip->projectVersion,
        .parameterWord = chip->parameterWord,
        .erasedValue = chip->erasedValue,
        .mainPageSize = chip->mainPageSize,
        .secondPageSize = chip->secondPageSize,
        .ispImageId = chip->ispImageId,
        .optionWordCount = chip->optionWordCount,
    };
    return zephlin::writeExtension(details, filled, kFirstReleaseSize) ? 1 : 0;
}
