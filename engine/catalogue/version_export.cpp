#include "Zephlin_DLL.h"

// The version word packs the low 8 bits of each product-version number, major
// in the top byte, as ZEPHLIN_VERSION does. The edition code chooses the update
// channel: 2 is universal.
extern "C" ZEPHLIN_API void GetDLLInfo(uint32_t* versionWord, int32_t* editionCode) {
    constexpr int32_t universalEdition = 2;
    if (versionWord != nullptr) {
        *versionWord = ZEPHLIN_VERSION;
    }
    if (editionCode != nullptr) {
        *editionCode = universalEdition;
    }
}
