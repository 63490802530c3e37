#include "Zephlin_DLL.h"

#include "catalogue/chip_catalogue.h"

extern "C" ZEPHLIN_API int32_t ZephlinGetPartDetails(int32_t chipIndex,
                                                     ZephlinPartDetails* details) {
    const zephlin::ChipRecord* chip = zephlin::findChip(chipIndex);
    if (chip == nullptr || details == nullptr) {
        return 0;
    }
    *details = ZephlinPartDetails{
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
    return 1;
}
