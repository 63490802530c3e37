#include "Zephlin_DLL.h"

#include "catalogue/chip_catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cwchar>
#include <string>
#include <vector>

namespace zephlin {
namespace {

const ZephlinBodyInfo* bodyInfo() {
    const ZephlinBodyInfo* records = nullptr;
    EXPECT_EQ(GetBodyInfo(&records), 36);
    return records;
}

const ZephlinBodyInfo& bodyInfoOfType(uint32_t chipType) {
    const ZephlinBodyInfo* records = bodyInfo();
    for (int i = 0; i < 36; ++i) {
        if (records[i].chipType == chipType) {
            return records[i];
        }
    }
    ADD_FAILURE() << "no part of chip type " << chipType;
    return records[0];
}

TEST(BodyInfo, MirrorsTheCatalogueInOrder) {
    const ZephlinBodyInfo* records = bodyInfo();
    ASSERT_NE(records, nullptr);
    EXPECT_STREQ(records[0].partName, L"Nerel A1(3V)");
    const auto catalogue = chipCatalogue();
    for (std::size_t i = 0; i < catalogue.size(); ++i) {
        const ZephlinBodyInfo& info = records[i];
        EXPECT_EQ(info.partName, catalogue[i].partName);
        EXPECT_EQ(info.chipType, catalogue[i].chipType);
        EXPECT_EQ(info.seriesMask, catalogue[i].seriesMask);
        EXPECT_EQ(info.mainAreaSize, catalogue[i].mainAreaSize);
        EXPECT_EQ(info.secondAreaSize, catalogue[i].secondAreaSize);
        EXPECT_EQ(info.checksumSaveFlag, catalogue[i].checksumSaveFlag);
        EXPECT_EQ(info.selectCells[0].choices.list, catalogue[i].selects[0].choices);
        EXPECT_EQ(info.checkCells[0].description, catalogue[i].checks[0].description);
    }
}

TEST(BodyInfo, RebuildingKeepsTheTableAndItsValues) {
    const ZephlinBodyInfo* first = bodyInfo();
    const uint32_t defaultOfFirstCell = first[0].selectCells[3].defaultValue;
    const ZephlinBodyInfo* second = bodyInfo();
    EXPECT_EQ(first, second);
    EXPECT_EQ(second[0].selectCells[3].defaultValue, defaultOfFirstCell);
    EXPECT_EQ(GetBodyInfo(nullptr), 36);
}

TEST(BodyInfo, DefaultsAreTheDecodedDefaultWords) {
    const ZephlinBodyInfo& type1 = bodyInfoOfType(1);
    EXPECT_STREQ(type1.selectCells[3].name, L"IWDT_DIV");
    EXPECT_EQ(type1.selectCells[3].defaultValue, 12u); // the field holds 15, capped at F/4096
    EXPECT_EQ(type1.selectCells[0].defaultValue, 0u);  // no ISP memory reserved
    EXPECT_EQ(type1.checkCells[0].defaultValue, 1u);   // LOCK bit 8 of 0xFFFFFEFF is clear
    EXPECT_EQ(type1.checkCells[3].attribute, 4u);
    EXPECT_EQ(type1.checkCells[1].defaultValue, 0u);
}

TEST(BodyInfo, UnusedCheckCellsOfTheDescriptorCodecDecodeAsChecked) {
    const ZephlinBodyInfo& type21 = bodyInfoOfType(21);
    const ZephlinCheckCell& unused = type21.checkCells[13];
    EXPECT_STREQ(unused.name, L"NA");
    EXPECT_EQ(unused.attribute, 0u);
    EXPECT_EQ(unused.defaultValue, 1u);
    EXPECT_STREQ(unused.description, L"NA");
    EXPECT_STREQ(unused.description + 3, L"NA");
    // The fixed-pattern codecs leave cells they do not define at 0.
    EXPECT_EQ(bodyInfoOfType(17).checkCells[13].defaultValue, 0u);
}

TEST(BodyInfo, NumericCellsCarryTheirMask) {
    const ZephlinBodyInfo& type16 = bodyInfoOfType(16);
    EXPECT_STREQ(type16.selectCells[6].name, L"IWDG_CNT");
    EXPECT_EQ(type16.selectCells[6].choices.mask, 0xFFFFFu);
    EXPECT_EQ(type16.selectCells[6].defaultValue, 0xFFFFFu);
    for (const int slot : {0, 1, 2, 3, 4, 5, 7}) {
        EXPECT_STREQ(type16.selectCells[slot].name, L"NA") << slot;
    }
    EXPECT_EQ(type16.selectCells[7].choices.mask, 0u);
}

// The option cells each family shows, in slot order; every other cell is "NA".
struct FamilyCells {
    uint32_t chipType;
    std::vector<std::wstring> selects; // slots from 0; "" for a slot left unused
    std::vector<std::wstring> checks;
};

std::vector<FamilyCells> familyCells() {
    const std::vector<std::wstring> descriptorSelects{L"ISP-memory", L"IAP-memory", L"BOOT_MS",
                                                      L"IWDT_DIV", L"BOD1 Level"};
    const std::vector<std::wstring> descriptorChecks{L"LOCK",     L"BOD0_WE",  L"BOD1_WE",
                                                     L"IWDT_EN",  L"IWDT_WP",  L"IWDT_WE",
                                                     L"IWDT_SLP", L"IWDT_STP", L"PC_IOM"};
    return {
        {1, descriptorSelects, descriptorChecks},
        {4, descriptorSelects, descriptorChecks},
        {19, descriptorSelects, descriptorChecks},
        {21,
         {L"ISP/IAP-memory", L"BOOT_MS", L"IWDT_DIV", L"BOD1 Level"},
         {L"LOCK", L"BOD1_WE", L"IWDT_EN", L"IWDT_WP", L"IWDT_WE", L"IWDT_SLP", L"IWDT_STP",
          L"PC_IOM"}},
        {17, {}, {L"RD_PROT (LOCK)", L"WDG_SW", L"nRST_STOP", L"WR_PROT"}},
        {18, {L"BOOT"}, {L"RD_PROT (LOCK)", L"WDG_SW", L"nRST_STOP", L"nRST_PA10", L"WR_PROT"}},
        {27, {L"OBR_PLS"}, {L"RD_PROT (LOCK)", L"WDG_SW", L"nRST_STOP", L"OBR_PVDE", L"WR_PROT"}},
        {13, {}, {L"LOCK", L"SRAM_DIS", L"SMEM_DIS", L"IWDG_EN", L"RST_STOP", L"RST_STBY"}},
        {14, {}, {L"RDP(LOCK)", L"WDG_SW", L"nRST_STOP", L"nRST_STDBY"}},
        {16,
         {L"", L"", L"", L"", L"", L"", L"IWDG_CNT"},
         {L"SWDP", L"IWDGMODE", L"IWDGINTMASK", L"IWDGON"}},
    };
}

std::wstring expectedName(const std::vector<std::wstring>& names, std::size_t slot) {
    return slot < names.size() && !names[slot].empty() ? names[slot] : L"NA";
}

// In the build users get as in the test builds: every cell of every part has
// its name, its list or mask and its description, and no text is missing.
TEST(BodyInfo, EveryCellOfEveryPartIsNamedAsItsFamilyDescribes) {
    const ZephlinBodyInfo* records = bodyInfo();
    ASSERT_NE(records, nullptr);
    const std::vector<FamilyCells> families = familyCells();
    for (int i = 0; i < 36; ++i) {
        const ZephlinBodyInfo& info = records[i];
        const auto family = std::find_if(families.begin(), families.end(), [&](const auto& f) {
            return f.chipType == info.chipType;
        });
        ASSERT_NE(family, families.end()) << "part " << i;
        for (std::size_t slot = 0; slot < 8; ++slot) {
            const ZephlinSelectCell& cell = info.selectCells[slot];
            ASSERT_NE(cell.name, nullptr) << "part " << i << " select cell " << slot;
            EXPECT_EQ(std::wstring(cell.name), expectedName(family->selects, slot))
                << "part " << i << " select cell " << slot;
            if (slot < 6) {
                ASSERT_NE(cell.choices.list, nullptr) << "part " << i << " select cell " << slot;
            }
        }
        std::vector<std::wstring> checks = family->checks;
        // Only the type-1 parts that save the chip checksum have the IO pull-up box.
        if (info.chipType == 1 && info.checksumSaveFlag == 0) {
            checks.pop_back();
        }
        for (std::size_t slot = 0; slot < 14; ++slot) {
            const ZephlinCheckCell& cell = info.checkCells[slot];
            ASSERT_NE(cell.name, nullptr) << "part " << i << " check cell " << slot;
            ASSERT_NE(cell.description, nullptr) << "part " << i << " check cell " << slot;
            EXPECT_EQ(std::wstring(cell.name), expectedName(checks, slot))
                << "part " << i << " check cell " << slot;
            EXPECT_EQ(std::wstring(cell.description) == L"NA", std::wstring(cell.name) == L"NA")
                << "part " << i << " check cell " << slot;
        }
    }
}

TEST(BodyInfo, DescriptionsArePairsOfEnglishAndChinese) {
    const ZephlinCheckCell& lock = bodyInfoOfType(1).checkCells[0];
    const std::wstring english = lock.description;
    EXPECT_EQ(english, L"Lock Device");
    const std::wstring chinese = lock.description + english.size() + 1;
    EXPECT_FALSE(chinese.empty());
    EXPECT_NE(chinese, english);
}

} // namespace
} // namespace zephlin

namespace zephlin {
namespace {

TEST(PartDetails, GiveTheRecordFieldsBeyondTheBodyInfo) {
    ZephlinPartDetails details{};
    details.structSize = sizeof details;
    ASSERT_EQ(ZephlinGetPartDetails(25, &details), 1);
    EXPECT_EQ(details.deviceId, 0x30298016u);
    EXPECT_EQ(details.chipId, 0x0024);
    EXPECT_EQ(details.erasedValue, 0x00);
    EXPECT_EQ(details.mainPageSize, 256u);
    EXPECT_EQ(details.optionWordCount, 32u);
    ZephlinPartDetails untouched{};
    untouched.structSize = sizeof untouched;
    untouched.chipId = 0x1234;
    EXPECT_EQ(ZephlinGetPartDetails(36, &untouched), 0);
    EXPECT_EQ(ZephlinGetPartDetails(-1, &untouched), 0);
    EXPECT_EQ(untouched.chipId, 0x1234);
}

TEST(PartDetails, AreRefusedWithoutTheirSize) {
    ZephlinPartDetails unsized{};
    unsized.chipId = 0x1234;
    EXPECT_EQ(ZephlinGetPartDetails(25, &unsized), 0);
    EXPECT_EQ(unsized.chipId, 0x1234);
    EXPECT_EQ(ZephlinGetPartDetails(25, nullptr), 0);

    ZephlinPartDetails firstRelease{};
    firstRelease.structSize = offsetof(ZephlinPartDetails, optionWordCount) + sizeof(uint32_t);
    ASSERT_EQ(ZephlinGetPartDetails(25, &firstRelease), 1);
    EXPECT_EQ(firstRelease.optionWordCount, 32u);
    EXPECT_EQ(firstRelease.structSize,
              offsetof(ZephlinPartDetails, optionWordCount) + sizeof(uint32_t));
}

} // namespace
} // namespace zephlin
