#include "Zephlin_DLL.h"

#include "zephlin_version.h"

// The version word packs the low 8 bits of each product-version number, major
// in the top byte. The edition code chooses the update channel: 2 is universal.
extern "C" ZEPHLIN_API void GetDLLInfo(uint32_t* versionWord, int32_t* editionCode) {
    constexpr uint32_t word = (uint32_t{ZEPHLIN_VERSION_MAJOR & 0xFF} << 24) |
                              (uint32_t{ZEPHLIN_VERSION_MINOR & 0xFF} << 16) |
                              (uint32_t{ZEPHLIN_VERSION_BUILD & 0xFF} << 8) |
                              uint32_t{ZEPHLIN_VERSION_REVISION & 0xFF};
    constexpr int32_t universalEdition = 2;
    if (versionWord != nullptr) {
        *versionWord = word;
    }
    if (editionCode != nullptr) {
        *editionCode = universalEdition;
    }
}
