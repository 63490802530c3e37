#include "shell/core/part_catalogue.h"

#include <gtest/gtest.h>

#include <cstring>

namespace zephlin {
namespace {

PartCatalogue libraryCatalogue() {
    const ZephlinBodyInfo* records = nullptr;
    const int32_t count = GetBodyInfo(&records);
    return PartCatalogue(records, count);
}

TEST(PartCatalogue, ListsTheNamedSeriesPresentAndTheirParts) {
    const PartCatalogue catalogue = libraryCatalogue();
    ASSERT_EQ(catalogue.count(), 36);
    const std::vector<int> bits = catalogue.seriesBits();
    EXPECT_EQ(bits, (std::vector<int>{1, 2, 3, 5}));
    EXPECT_EQ(seriesName(1), L"Borin Series");
    EXPECT_EQ(seriesName(6), L"");
    EXPECT_EQ(PartCatalogue::seriesBitOfName(L"Folm Series"), 5);
    EXPECT_EQ(PartCatalogue::seriesBitOfName(L"Nothing"), std::nullopt);

    const std::vector<int32_t> series1 = catalogue.partsOfSeries(1);
    ASSERT_EQ(series1.size(), 19u);
    EXPECT_EQ(series1.front(), 0);
    EXPECT_EQ(catalogue.partsOfSeries(5), (std::vector<int32_t>{35}));
    EXPECT_TRUE(catalogue.partsOfSeries(0).empty());
    EXPECT_EQ(catalogue.indexOfPartName(L"Nerel F1"), 35);
    EXPECT_EQ(catalogue.indexOfPartName(L"Nerel"), std::nullopt);
}

TEST(PartCatalogue, AStoredIndexOutsideTheCatalogueSelectsPart0) {
    const PartCatalogue catalogue = libraryCatalogue();
    EXPECT_EQ(catalogue.validIndexOr0(35), 35);
    EXPECT_EQ(catalogue.validIndexOr0(36), 0);
    EXPECT_EQ(catalogue.validIndexOr0(-1), 0);
    EXPECT_EQ(PartCatalogue(nullptr, 36).count(), 0);
    EXPECT_EQ(PartCatalogue(nullptr, 0).validIndexOr0(3), 0);
}

TEST(PartCatalogue, ResetPartFieldsPreparesTheRecordForANewPart) {
    ZephlinContext record{};
    std::wcscpy(record.projectFile, L"old.kdx");
    record.stepFlags = 0x0004;
    record.serialNumber = 99;
    record.maxCounter = 5;
    record.offlineFlags = 3;
    ZephlinBodyInfo part{};
    part.mainAreaSize = 32768;
    resetPartFields(record, part);
    EXPECT_EQ(record.projectFile[0], L'\0');
    EXPECT_EQ(record.stepFlags, 0x009F);
    EXPECT_EQ(record.serialAddress, 32768u - 16);
    EXPECT_EQ(record.serialNumber, 0u);
    EXPECT_EQ(record.maxCounter, 0);
    EXPECT_EQ(record.offlineFlags, 0);
    EXPECT_EQ(record.ispCodeSource, 0xFF);
    EXPECT_EQ(record.customerString[15], 0xFF);
    EXPECT_EQ(record.serialString[11], 0xFF);
}

TEST(PartCatalogue, ChipTypeRules) {
    for (const uint32_t type : {13u, 14u, 16u, 17u, 18u, 27u}) {
        EXPECT_FALSE(takesIspCode(type)) << type;
    }
    for (const uint32_t type : {1u, 4u, 19u, 21u}) {
        EXPECT_TRUE(takesIspCode(type)) << type;
    }
    EXPECT_FALSE(savesProjects(17));
    EXPECT_FALSE(savesProjects(18));
    EXPECT_TRUE(savesProjects(27));
}

} // namespace
} // namespace zephlin
