#include "catalogue/chip_catalogue.h"

#include "catalogue/option_descriptors.h"

namespace zephlin {
namespace {

using namespace descriptors;

// What the records of one chip family have in common.
struct Family {
    uint8_t chipType;
    uint32_t seriesMask;
    uint8_t erasedValue;
    uint32_t checksumSaveFlag;
    uint32_t optionWordCount;
    const wchar_t* defaultOptionWords;
    const SelectSlots& selects;
    const CheckSlots& checks;
};

struct Area {
    uint32_t size;
    uint32_t pageSize;
};

constexpr Area kNoArea{0, 0};

constexpr uint32_t kSeries1 = 1u << 1;
constexpr uint32_t kSeries2 = 1u << 2;
constexpr uint32_t kSeries3 = 1u << 3;
constexpr uint32_t kSeries5 = 1u << 5;

// Parts of series 1 carry the 3.0 project footer, all others the 3.2 one.
constexpr uint16_t projectVersionOf(uint32_t seriesMask) {
    return seriesMask == kSeries1 ? 0x0300 : 0x0302;
}

// The parameter word of a 3 V part and of its 5 V twin differ in the top two
// bytes only.
constexpr uint32_t at3V(uint8_t model) {
    return 0x01008C00u | model;
}
constexpr uint32_t at5V(uint8_t model) {
    return 0x0200E600u | model;
}
constexpr uint32_t kSingleSupplyParameter = 0x01008C19;

// The stored default texts separate the words with tabs, in places several;
// the type-21 texts also use one blank.
constexpr const wchar_t* kDescriptorFamilyDefaults =
    L"0xFFFFFEFF,\t0xFFFFFFFF,\t0xFFFFFFFF,\t\t0xFFFFFFFF,\t0xFFFFFFFF,\t0xEDEFFFFF,\t\t0xFFFFFFFF,"
    L"\t0xFFFFFFC8";
constexpr const wchar_t* kType21Defaults = L"0xFFFFFEFF, 0xFFFFFFFF,\t0xEDCFFFFA,\t0xFFFFFFC8";
constexpr const wchar_t* kType17And18Defaults = L"0x00FF5AA5,\t0x00FF00FF,\t0x00FF00FF";
constexpr const wchar_t* kType27Defaults =
    L"0x00FF5AA5,\t0x00FF00FF,\t0x00FF00FF,\t\t0x00FF00FF,\t0x00FF00FF,\t0x00FF00FF";
constexpr const wchar_t* kType13Defaults =
    L"0x00000000,\t0x00000000,\t0x00000000,\t0x00000000,\t\t0x0C0C0C0C,\t0x000000F3,"
    L"\t0x00005AA5,\t0x00000000,\t\t \t0x00000000,\t0x00000000,\t0x00000000,\t0x00000000,"
    L"\t0xFFFFFFFF,\t0x00000000,\t0x00000000,\t\t0x00000000,\t0x00000000,\t0x00000000,"
    L"\t0x00000000, \t0x00000000,\t0x00000000,\t0x00000000,\t0x00000000,\t\t\t0x00000000,"
    L"\t0x00000000,\t0x00000000,\t0x00000000,\t0x00000000,\t0x00000000,\t0x00000000,"
    L"\t \t0x00000000,\t0xFFFFFFFF";
constexpr const wchar_t* kType14Defaults = L"0x00FF5AA5,\t0x00FF00FF,\t\t0x00FF00FF,\t0x00FF00FF";
constexpr const wchar_t* kType16Defaults = L"0xFFFFFFFF,\t0xFFFFFFFF";

constexpr Family kType1{1,           kSeries1, 0xFF, 1, 8, kDescriptorFamilyDefaults, kType1Selects,
                        kType1Checks};
constexpr Family kType1WithoutIom{
    1, kSeries1, 0xFF, 0, 8, kDescriptorFamilyDefaults, kType1Selects, kType1ChecksWithoutIom};
constexpr Family kType4{4,           kSeries1, 0xFF, 1, 8, kDescriptorFamilyDefaults, kType4Selects,
                        kType1Checks};
constexpr Family kType19{
    19, kSeries1, 0xFF, 1, 8, kDescriptorFamilyDefaults, kType4Selects, kType1Checks};
constexpr Family kType21{21, kSeries1, 0xFF, 0, 4, kType21Defaults, kType21Selects, kType21Checks};
constexpr Family kType17{17, kSeries2, 0xFF, 0, 3, kType17And18Defaults, kNoSelects, kType17Checks};
constexpr Family kType18{18,           kSeries2, 0xFF, 0, 3, kType17And18Defaults, kType18Selects,
                         kType18Checks};
constexpr Family kType27{27, kSeries2, 0xFF, 0, 6, kType27Defaults, kType27Selects, kType27Checks};
constexpr Family kType13{13, kSeries3, 0x00, 0, 32, kType13Defaults, kNoSelects, kType13Checks};
constexpr Family kType14{14, kSeries3, 0xFF, 0, 4, kType14Defaults, kNoSelects, kType14Checks};
constexpr Family kType16{16, kSeries5, 0xFF, 0, 2, kType16Defaults, kType16Selects, kType16Checks};

constexpr ChipRecord part(const Family& family, const wchar_t* name, uint32_t deviceId,
                          uint16_t chipId, uint32_t parameterWord, Area main, Area second,
                          uint32_t ispImageId) {
    return ChipRecord{
        .partName = name,
        .seriesMask = family.seriesMask,
        .deviceId = deviceId,
        .chipId = chipId,
        .projectVersion = projectVersionOf(family.seriesMask),
        .parameterWord = parameterWord,
        .erasedValue = family.erasedValue,
        .chipType = family.chipType,
        .mainAreaSize = main.size,
        .mainPageSize = main.pageSize,
        .secondAreaSize = second.size,
        .secondPageSize = second.pageSize,
        .ispImageId = ispImageId,
        .customerDataFlag = 0,
        .checksumSaveFlag = family.checksumSaveFlag,
        .optionWordCount = family.optionWordCount,
        .defaultOptionWords = family.defaultOptionWords,
        .selects = family.selects,
        .checks = family.checks,
    };
}

constexpr Area k16K{16384, 1024};
constexpr Area k32K{32768, 1024};
constexpr Area k32KSmallPages{32768, 512};
constexpr Area k48KSmallPages{49152, 512};
constexpr Area k64K{65536, 1024};
constexpr Area k64KSmallPages{65536, 512};
constexpr Area k96K{98304, 1024};
constexpr Area k128K{131072, 1024};
constexpr Area k132K{135168, 1024};
constexpr Area kIapIspArea{6144, 512};
constexpr Area kDataFlash{1024, 1024};
constexpr Area k96KFinePages{98304, 256};
constexpr Area k128KFinePages{131072, 256};
constexpr Area k192KFinePages{196608, 256};
constexpr Area k256KFinePages{262144, 256};
constexpr Area k160K{163840, 1024};
constexpr Area k192K{196608, 1024};
constexpr Area k256K{262144, 1024};
constexpr Area k64KFinePages{65536, 256};

// The order is a contract: the position of a record is its chip index.
constexpr std::array<ChipRecord, kCatalogueSize> kRecords{{
    // Series 1
    part(kType1, L"Nerel A1(3V)", 0xC010, 0x0004, at3V(0x19), k32K, kNoArea, 3008),
    part(kType1, L"Nerel A1(5V)", 0xC010, 0x0005, at5V(0x19), k32K, kNoArea, 3008),
    part(kType1WithoutIom, L"Nerel A2(3V)", 0xC011, 0x0006, at3V(0x1A), k64K, kNoArea, 3006),
    part(kType1WithoutIom, L"Nerel A2(5V)", 0xC011, 0x0007, at5V(0x1A), k64K, kNoArea, 3006),
    part(kType1WithoutIom, L"Nerel A3(3V)", 0xC012, 0x0008, at3V(0x1B), k132K, kNoArea, 3008),
    part(kType1WithoutIom, L"Nerel A3(5V)", 0xC012, 0x0009, at5V(0x1B), k132K, kNoArea, 3008),
    part(kType4, L"Nerel A4(3V)", 0xC014, 0x0010, at3V(0x21), k32KSmallPages, kNoArea, 3010),
    part(kType4, L"Nerel A4(5V)", 0xC014, 0x0011, at5V(0x21), k32KSmallPages, kNoArea, 3010),
    part(kType4, L"Nerel A5(3V)", 0xC015, 0x0012, at3V(0x22), k48KSmallPages, kNoArea, 3012),
    part(kType4, L"Nerel A5(5V)", 0xC015, 0x0013, at5V(0x22), k48KSmallPages, kNoArea, 3012),
    part(kType4, L"Nerel A6(3V)", 0xC016, 0x0014, at3V(0x23), k64KSmallPages, kNoArea, 3011),
    part(kType4, L"Nerel A6(5V)", 0xC016, 0x0015, at5V(0x23), k64KSmallPages, kNoArea, 3011),
    part(kType4, L"Nerel A7(3V)", 0xC017, 0x0016, at3V(0x24), k96K, kNoArea, 3011),
    part(kType4, L"Nerel A7(5V)", 0xC017, 0x0017, at5V(0x24), k96K, kNoArea, 3011),
    part(kType4, L"Nerel A8(3V)", 0xC018, 0x0018, at3V(0x25), k128K, kNoArea, 3010),
    part(kType19, L"Nerel B2(3V)", 0xC01A, 0x0050, at3V(0x31), k64KSmallPages, kNoArea, 3013),
    part(kType19, L"Nerel B2(5V)", 0xC01A, 0x0051, at5V(0x31), k64KSmallPages, kNoArea, 3013),
    part(kType21, L"Nerel B4(3V)", 0xC019, 0x005A, at3V(0x01), k32KSmallPages, kIapIspArea, 3010),
    part(kType21, L"Nerel B4(5V)", 0xC019, 0x005B, at5V(0x01), k32KSmallPages, kIapIspArea, 3010),
    // Series 2: the type-17 pair shares its chip IDs with the type-27 pair.
    part(kType17, L"Nerel C1(3V)", 0x4C514100, 0x003C, at3V(0x19), k16K, kNoArea, 3010),
    part(kType17, L"Nerel C1(5V)", 0x4C514100, 0x003D, at5V(0x19), k16K, kNoArea, 3010),
    part(kType18, L"Nerel C3(3V)", 0x4C514300, 0x0040, at3V(0x19), k32K, kNoArea, 3010),
    part(kType18, L"Nerel C3(5V)", 0x4C514300, 0x0041, at5V(0x19), k32K, kNoArea, 3010),
    part(kType27, L"Nerel C6(3V)", 0x4C514700, 0x003C, at3V(0x19), k64K, kDataFlash, 3010),
    part(kType27, L"Nerel C6(5V)", 0x4C514700, 0x003D, at5V(0x19), k64K, kDataFlash, 3010),
    // Series 3: five type-14 parts share one chip ID.
    part(kType13, L"Nerel D1", 0x30298016, 0x0024, kSingleSupplyParameter, k96KFinePages, kNoArea,
         3008),
    part(kType13, L"Nerel D2", 0x30298017, 0x0025, kSingleSupplyParameter, k128KFinePages, kNoArea,
         3006),
    part(kType13, L"Nerel D3", 0x30298018, 0x0026, kSingleSupplyParameter, k192KFinePages, kNoArea,
         3010),
    part(kType13, L"Nerel D4", 0x30298019, 0x0027, kSingleSupplyParameter, k256KFinePages, kNoArea,
         3008),
    part(kType14, L"Nerel D5", 0, 0x002A, kSingleSupplyParameter, k256K, kNoArea, 3010),
    part(kType14, L"Nerel D6", 0, 0x002A, kSingleSupplyParameter, k96K, kNoArea, 3010),
    part(kType14, L"Nerel D7", 0, 0x002A, kSingleSupplyParameter, k128K, kNoArea, 3010),
    part(kType14, L"Nerel D8", 0, 0x002A, kSingleSupplyParameter, k160K, kNoArea, 3010),
    part(kType14, L"Nerel D9", 0, 0x002A, kSingleSupplyParameter, k192K, kNoArea, 3010),
    part(kType14, L"Nerel D10", 0, 0x0029, kSingleSupplyParameter, k256K, kNoArea, 3010),
    // Series 5
    part(kType16, L"Nerel F1", 0, 0x002B, kSingleSupplyParameter, k64KFinePages, kNoArea, 3010),
}};

} // namespace

std::span<const ChipRecord> chipCatalogue() {
    return kRecords;
}

} // namespace zephlin
