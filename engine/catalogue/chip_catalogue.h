// The compiled-in catalogue of supported parts. The position of a record is
// the part's chip index, which callers store in the context record, settings
// files and project files: the order never changes.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace zephlin {

inline constexpr const wchar_t* kUnusedSlotName = L"NA";
// Unused check slots carry "NA" in both languages, like every description.
inline constexpr const wchar_t* kUnusedDescription = L"NA\0NA";

// An option control with a list of choices (or, in slots 6 and 7, one numeric
// value). The choice text is comma-separated, or names a size rule
// ("ISP-IAP-SET01" to "ISP-IAP-SET03") for the ISP and IAP memory slots.
struct SelectDescriptor {
    const wchar_t* name = kUnusedSlotName;
    uint8_t wordIndex = 0;
    uint32_t mask = 0;
    const wchar_t* choices = kUnusedSlotName;
};

// An option control with a check box. The description is a bilingual pair:
// English, a terminating L'\0', then the Simplified-Chinese text.
struct CheckDescriptor {
    const wchar_t* name = kUnusedSlotName;
    uint8_t wordIndex = 0;
    uint32_t mask = 0;
    uint32_t attribute = 0; // 1-based select slot whose list the box enables; 0 none
    const wchar_t* description = kUnusedDescription;
};

inline constexpr std::size_t kSelectSlots = 8;
inline constexpr std::size_t kCheckSlots = 14;

struct ChipRecord {
    const wchar_t* partName;
    uint32_t seriesMask;
    uint32_t deviceId;
    uint16_t chipId;
    uint16_t projectVersion;
    uint32_t parameterWord;
    uint8_t erasedValue;
    uint8_t chipType;
    uint32_t mainAreaSize;
    uint32_t mainPageSize;
    uint32_t secondAreaSize;
    uint32_t secondPageSize;
    uint32_t ispImageId;
    uint32_t customerDataFlag;
    uint32_t checksumSaveFlag;
    uint32_t optionWordCount;
    const wchar_t* defaultOptionWords; // N hexadecimal words, comma-separated
    std::array<SelectDescriptor, kSelectSlots> selects;
    std::array<CheckDescriptor, kCheckSlots> checks;
};

inline constexpr std::size_t kCatalogueSize = 36;
inline constexpr uint8_t kNoCoreCode = 255;

// All records in chip-index order.
std::span<const ChipRecord> chipCatalogue();

// The record at a chip index, or nullptr outside the catalogue.
const ChipRecord* findChip(int32_t chipIndex);

// The first chip index in catalogue order whose chip ID matches, or -1.
int32_t firstChipIndexWithChipId(uint16_t chipId);

// The core the writer firmware must serve for a chip type: 1 Cortex-M0,
// 3 Cortex-M3, 4 Cortex-M0+, kNoCoreCode for an unknown type.
uint8_t coreCodeOfChipType(uint8_t chipType);

// Chip types whose targets report and are set up with all 32 device-ID bits;
// the others use the low 16 bits with 5 in bits 16-23.
bool usesFullDeviceId(uint8_t chipType);

// The four device-ID bytes as the writer receives them in the target setup
// frame and the off-line settings block (lowest byte first when stored).
uint32_t targetIdentityWord(const ChipRecord& chip);

// Default option word k (k below the option-word count) parsed from the
// record's default text.
uint32_t defaultOptionWord(const ChipRecord& chip, uint32_t k);

// All N default option words of a record.
std::vector<uint32_t> defaultOptionWords(const ChipRecord& chip);

} // namespace zephlin
