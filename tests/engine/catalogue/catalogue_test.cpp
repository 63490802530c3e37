#include "catalogue/chip_catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <map>
#include <set>
#include <string>

namespace zephlin {
namespace {

std::wstring nameOf(const ChipRecord& chip) {
    return chip.partName;
}

bool hasCheck(const ChipRecord& chip, const wchar_t* name) {
    return std::any_of(chip.checks.begin(), chip.checks.end(),
                       [&](const CheckDescriptor& c) { return std::wcscmp(c.name, name) == 0; });
}

int seriesOf(const ChipRecord& chip) {
    return std::countr_zero(chip.seriesMask);
}

// A record as text, leaving out the name, chip ID and parameter word in which a
// 3 V part and its 5 V twin differ.
std::wstring everythingButTwinFields(const ChipRecord& chip) {
    std::wstring text;
    for (const uint32_t value :
         {chip.seriesMask, chip.deviceId, uint32_t{chip.projectVersion}, uint32_t{chip.erasedValue},
          uint32_t{chip.chipType}, chip.mainAreaSize, chip.mainPageSize, chip.secondAreaSize,
          chip.secondPageSize, chip.ispImageId, chip.customerDataFlag, chip.checksumSaveFlag,
          chip.optionWordCount}) {
        text += std::to_wstring(value) + L";";
    }
    text += chip.defaultOptionWords;
    for (const SelectDescriptor& slot : chip.selects) {
        text += std::wstring(L";") + slot.name + L":" + std::to_wstring(slot.wordIndex) + L":" +
                std::to_wstring(slot.mask) + L":" + slot.choices;
    }
    for (const CheckDescriptor& slot : chip.checks) {
        text += std::wstring(L";") + slot.name + L":" + std::to_wstring(slot.wordIndex) + L":" +
                std::to_wstring(slot.mask) + L":" + std::to_wstring(slot.attribute);
    }
    return text;
}

TEST(Catalogue, HoldsThirtySixPartsInFamiliesAndSeries) {
    const auto records = chipCatalogue();
    ASSERT_EQ(records.size(), 36u);
    std::map<int, int> perType;
    for (const ChipRecord& chip : records) {
        ASSERT_NE(chip.partName, nullptr);
        EXPECT_EQ(std::popcount(chip.seriesMask), 1) << nameOf(chip);
        perType[chip.chipType]++;
        const std::map<int, int> seriesOfType{{1, 1},  {4, 1},  {19, 1}, {21, 1}, {17, 2},
                                              {18, 2}, {27, 2}, {13, 3}, {14, 3}, {16, 5}};
        EXPECT_EQ(seriesOf(chip), seriesOfType.at(chip.chipType)) << nameOf(chip);
    }
    const std::map<int, int> expected{{1, 6},  {4, 9},  {19, 2}, {21, 2}, {17, 2},
                                      {18, 2}, {27, 2}, {13, 4}, {14, 6}, {16, 1}};
    EXPECT_EQ(perType, expected);
}

TEST(Catalogue, TellingRowsAreExact) {
    const auto records = chipCatalogue();
    const ChipRecord& a1 = records[0];
    EXPECT_EQ(nameOf(a1), L"Nerel A1(3V)");
    EXPECT_EQ(a1.seriesMask, 1u << 1);
    EXPECT_EQ(a1.deviceId, 0xC010u);
    EXPECT_EQ(a1.chipId, 0x0004);
    EXPECT_EQ(a1.projectVersion, 0x0300);
    EXPECT_EQ(a1.parameterWord, 0x01008C19u);
    EXPECT_EQ(a1.erasedValue, 0xFF);
    EXPECT_EQ(a1.chipType, 1);
    EXPECT_EQ(a1.mainAreaSize, 32768u);
    EXPECT_EQ(a1.mainPageSize, 1024u);
    EXPECT_EQ(a1.secondAreaSize, 0u);
    EXPECT_EQ(a1.ispImageId, 3008u);
    EXPECT_EQ(a1.checksumSaveFlag, 1u);
    EXPECT_EQ(defaultOptionWords(a1),
              (std::vector<uint32_t>{0xFFFFFEFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF,
                                     0xEDEFFFFF, 0xFFFFFFFF, 0xFFFFFFC8}));

    const auto byName = [&](const wchar_t* name) -> const ChipRecord& {
        const auto it = std::find_if(records.begin(), records.end(),
                                     [&](const ChipRecord& c) { return nameOf(c) == name; });
        EXPECT_NE(it, records.end()) << name;
        return *it;
    };
    const ChipRecord& a1High = byName(L"Nerel A1(5V)");
    EXPECT_EQ(a1High.chipId, 0x0005);
    EXPECT_EQ(a1High.parameterWord, 0x0200E619u);

    const ChipRecord& b4 = byName(L"Nerel B4(3V)");
    EXPECT_EQ(b4.deviceId, 0xC019u);
    EXPECT_EQ(b4.chipId, 0x005A);
    EXPECT_EQ(b4.parameterWord, 0x01008C01u);
    EXPECT_EQ(b4.chipType, 21);
    EXPECT_EQ(b4.mainPageSize, 512u);
    EXPECT_EQ(b4.secondAreaSize, 6144u);
    EXPECT_EQ(b4.secondPageSize, 512u);
    EXPECT_EQ(b4.ispImageId, 3010u);
    EXPECT_EQ(defaultOptionWords(b4),
              (std::vector<uint32_t>{0xFFFFFEFF, 0xFFFFFFFF, 0xEDCFFFFA, 0xFFFFFFC8}));

    const ChipRecord& c6 = byName(L"Nerel C6(3V)");
    EXPECT_EQ(c6.deviceId, 0x4C514700u);
    EXPECT_EQ(c6.chipId, 0x003C);
    EXPECT_EQ(c6.projectVersion, 0x0302);
    EXPECT_EQ(c6.chipType, 27);
    EXPECT_EQ(c6.mainAreaSize, 65536u);
    EXPECT_EQ(c6.secondAreaSize, 1024u);
    EXPECT_EQ(c6.secondPageSize, 1024u);
    EXPECT_EQ(defaultOptionWords(c6), (std::vector<uint32_t>{0x00FF5AA5, 0x00FF00FF, 0x00FF00FF,
                                                             0x00FF00FF, 0x00FF00FF, 0x00FF00FF}));

    const ChipRecord& d1 = byName(L"Nerel D1");
    EXPECT_EQ(d1.deviceId, 0x30298016u);
    EXPECT_EQ(d1.erasedValue, 0x00);
    EXPECT_EQ(d1.chipType, 13);
    EXPECT_EQ(d1.mainAreaSize, 98304u);
    EXPECT_EQ(d1.mainPageSize, 256u);
    std::vector<uint32_t> d1Words(32, 0);
    d1Words[4] = 0x0C0C0C0C;
    d1Words[5] = 0x000000F3;
    d1Words[6] = 0x00005AA5;
    d1Words[12] = 0xFFFFFFFF;
    d1Words[31] = 0xFFFFFFFF;
    EXPECT_EQ(defaultOptionWords(d1), d1Words);

    const ChipRecord& d5 = byName(L"Nerel D5");
    EXPECT_EQ(d5.deviceId, 0u);
    EXPECT_EQ(d5.chipId, 0x002A);
    EXPECT_EQ(d5.mainAreaSize, 262144u);
    EXPECT_EQ(d5.optionWordCount, 4u);

    const ChipRecord& f1 = byName(L"Nerel F1");
    EXPECT_EQ(f1.seriesMask, 1u << 5);
    EXPECT_EQ(f1.chipId, 0x002B);
    EXPECT_EQ(f1.mainPageSize, 256u);
    EXPECT_EQ(defaultOptionWords(f1), (std::vector<uint32_t>{0xFFFFFFFF, 0xFFFFFFFF}));
}

TEST(Catalogue, LowVoltageAndHighVoltageTwinsDifferOnlyInNameChipIdAndParameter) {
    const auto records = chipCatalogue();
    int singles = 0;
    int pairs = 0;
    for (const ChipRecord& chip : records) {
        const std::wstring name = nameOf(chip);
        const bool seriesWithTwins = seriesOf(chip) == 1 || seriesOf(chip) == 2;
        EXPECT_EQ(seriesWithTwins, name.ends_with(L"(3V)") || name.ends_with(L"(5V)")) << name;
        if (!name.ends_with(L"(3V)")) {
            continue;
        }
        EXPECT_EQ(chip.chipId % 2, 0) << name;
        EXPECT_EQ(chip.parameterWord & 0xFFFF0000u, 0x01000000u) << name;
        EXPECT_EQ((chip.parameterWord >> 8) & 0xFF, 0x8Cu) << name;
        const std::wstring twinName = name.substr(0, name.size() - 4) + L"(5V)";
        const auto twin = std::find_if(records.begin(), records.end(),
                                       [&](const ChipRecord& c) { return nameOf(c) == twinName; });
        if (twin == records.end()) {
            singles++;
            continue;
        }
        pairs++;
        EXPECT_EQ(twin->chipId, chip.chipId + 1) << name;
        EXPECT_EQ(twin->parameterWord, (chip.parameterWord & 0xFFu) | 0x0200E600u) << name;
        EXPECT_EQ(everythingButTwinFields(*twin), everythingButTwinFields(chip)) << name;
    }
    EXPECT_EQ(singles, 1);
    EXPECT_EQ(pairs, 12);
}

TEST(Catalogue, SizesPagesVersionsAndErasedValuesFollowTheFamilies) {
    const std::map<int, uint32_t> wordCount{{1, 8},  {4, 8},  {19, 8},  {21, 4}, {17, 3},
                                            {18, 3}, {27, 6}, {13, 32}, {14, 4}, {16, 2}};
    for (const ChipRecord& chip : chipCatalogue()) {
        const std::wstring name = nameOf(chip);
        EXPECT_EQ(chip.optionWordCount, wordCount.at(chip.chipType)) << name;
        EXPECT_EQ(chip.projectVersion, seriesOf(chip) == 1 ? 0x0300 : 0x0302) << name;
        EXPECT_EQ(chip.erasedValue, chip.chipType == 13 ? 0x00 : 0xFF) << name;
        EXPECT_EQ(chip.customerDataFlag, 0u) << name;
        EXPECT_EQ(chip.mainAreaSize % chip.mainPageSize, 0u) << name;
        switch (seriesOf(chip)) {
        case 1:
            EXPECT_GE(chip.mainAreaSize, 32u * 1024) << name;
            EXPECT_LE(chip.mainAreaSize, 132u * 1024) << name;
            EXPECT_TRUE(chip.mainPageSize == 512 || chip.mainPageSize == 1024) << name;
            break;
        case 2:
            EXPECT_GE(chip.mainAreaSize, 16u * 1024) << name;
            EXPECT_LE(chip.mainAreaSize, 64u * 1024) << name;
            EXPECT_EQ(chip.mainPageSize, 1024u) << name;
            break;
        case 3:
            EXPECT_GE(chip.mainAreaSize, 96u * 1024) << name;
            EXPECT_LE(chip.mainAreaSize, 256u * 1024) << name;
            EXPECT_EQ(chip.mainPageSize, chip.chipType == 13 ? 256u : 1024u) << name;
            break;
        default:
            EXPECT_EQ(chip.mainAreaSize, 64u * 1024) << name;
            EXPECT_EQ(chip.mainPageSize, 256u) << name;
        }
        if (chip.chipType == 21) {
            EXPECT_EQ(chip.secondAreaSize, 6144u);
            EXPECT_EQ(chip.secondPageSize, 512u);
        } else if (chip.chipType == 27) {
            EXPECT_EQ(chip.secondAreaSize, 1024u);
            EXPECT_EQ(chip.secondPageSize, 1024u);
        } else {
            EXPECT_EQ(chip.secondAreaSize, 0u) << name;
            EXPECT_EQ(chip.secondPageSize, 0u) << name;
        }
        if (!usesFullDeviceId(chip.chipType)) {
            EXPECT_EQ(chip.deviceId & 0xFFFF0000u, 0u) << name;
        }
        // The project file's option block holds 4 * N bytes before its customer
        // string: 112 - 48 bytes for 3.0 footers, 176 - 48 for 3.2 ones.
        const uint32_t blockRoom = chip.projectVersion == 0x0300 ? 112 - 48 : 176 - 48;
        const uint32_t words =
            chip.checksumSaveFlag == 1 ? std::max(chip.optionWordCount, 9u) : chip.optionWordCount;
        EXPECT_LE(4 * words, blockRoom) << name;
    }
}

TEST(Catalogue, ChecksumSaveFlagMarksTheFamiliesWithTheChecksumWord) {
    int flagged = 0;
    int typeOneWithoutIom = 0;
    for (const ChipRecord& chip : chipCatalogue()) {
        const bool hasIom = hasCheck(chip, L"PC_IOM");
        if (chip.chipType == 1 && !hasIom) {
            typeOneWithoutIom++;
        }
        const bool expected =
            chip.chipType == 4 || chip.chipType == 19 || (chip.chipType == 1 && hasIom);
        EXPECT_EQ(chip.checksumSaveFlag, expected ? 1u : 0u) << nameOf(chip);
        flagged += chip.checksumSaveFlag == 1 ? 1 : 0;
    }
    EXPECT_EQ(flagged, 13);
    EXPECT_EQ(typeOneWithoutIom, 4);
}

TEST(Catalogue, ChipIdLookupTakesTheFirstMatchAndOnlyKnownIdsRepeat) {
    std::map<uint16_t, std::vector<const ChipRecord*>> byId;
    for (const ChipRecord& chip : chipCatalogue()) {
        byId[chip.chipId].push_back(&chip);
    }
    int twice = 0;
    for (const auto& [id, chips] : byId) {
        if (chips.size() == 2) {
            twice++;
            EXPECT_EQ(chips[0]->chipType, 17);
            EXPECT_EQ(chips[1]->chipType, 27);
        } else if (chips.size() == 5) {
            for (const ChipRecord* chip : chips) {
                EXPECT_EQ(chip->chipType, 14);
            }
        } else {
            EXPECT_EQ(chips.size(), 1u) << std::hex << id;
        }
        const ChipRecord* first = findChip(firstChipIndexWithChipId(id));
        EXPECT_EQ(first, chips.front());
    }
    EXPECT_EQ(twice, 2);
    EXPECT_EQ(firstChipIndexWithChipId(0xBEEF), -1);
    EXPECT_EQ(findChip(-1), nullptr);
    EXPECT_EQ(findChip(36), nullptr);
}

TEST(Catalogue, IspImagesAreTheBuiltInOnesPerFamily) {
    const std::map<uint32_t, std::set<int>> typesOfImage{
        {3006, {1, 13}}, {3008, {1, 13}}, {3010, {4, 13, 14, 16, 17, 18, 21, 27}},
        {3011, {4}},     {3012, {4}},     {3013, {19}}};
    std::set<uint32_t> used;
    for (const ChipRecord& chip : chipCatalogue()) {
        used.insert(chip.ispImageId);
        ASSERT_TRUE(typesOfImage.contains(chip.ispImageId)) << nameOf(chip);
        EXPECT_TRUE(typesOfImage.at(chip.ispImageId).contains(chip.chipType)) << nameOf(chip);
    }
    EXPECT_EQ(used.size(), typesOfImage.size());
}

TEST(Catalogue, CoreCodesAndIdentityWords) {
    EXPECT_EQ(coreCodeOfChipType(1), 1);
    EXPECT_EQ(coreCodeOfChipType(27), 1);
    EXPECT_EQ(coreCodeOfChipType(13), 3);
    EXPECT_EQ(coreCodeOfChipType(14), 3);
    EXPECT_EQ(coreCodeOfChipType(16), 4);
    EXPECT_EQ(coreCodeOfChipType(2), kNoCoreCode);
    EXPECT_EQ(targetIdentityWord(chipCatalogue()[0]), 0x0005C010u);
    const ChipRecord& c6 = *findChip(23);
    ASSERT_EQ(c6.chipType, 27);
    EXPECT_EQ(targetIdentityWord(c6), 0x4C514700u);
}

TEST(DefaultOptionWords, EveryTextHoldsItsWordCountBetweenTabsAndBlanks) {
    for (const ChipRecord& chip : chipCatalogue()) {
        const std::wstring text = chip.defaultOptionWords;
        EXPECT_EQ(std::count(text.begin(), text.end(), L','), chip.optionWordCount - 1)
            << nameOf(chip);
        EXPECT_NE(text.find(L'\t'), std::wstring::npos) << nameOf(chip);
        for (const wchar_t c : text) {
            EXPECT_TRUE(std::iswxdigit(static_cast<wint_t>(c)) || c == L'x' || c == L',' ||
                        c == L'\t' || c == L' ')
                << nameOf(chip);
        }
        EXPECT_EQ(defaultOptionWords(chip).size(), chip.optionWordCount);
        EXPECT_EQ(defaultOptionWord(chip, chip.optionWordCount), 0u);
    }
}

TEST(DefaultOptionWords, ParsesPrefixesBlanksAndMissingDigits) {
    ChipRecord chip = chipCatalogue()[0];
    chip.defaultOptionWords = L"  \t0x1f, ABC,\t\t,0x,12G4,  0XffffFFFF ,123456789";
    chip.optionWordCount = 7;
    EXPECT_EQ(defaultOptionWords(chip),
              (std::vector<uint32_t>{0x1F, 0xABC, 0, 0, 0x12, 0xFFFFFFFF, 0xFFFFFFFF}));
    chip.defaultOptionWords = L"0x10";
    chip.optionWordCount = 3;
    EXPECT_EQ(defaultOptionWords(chip), (std::vector<uint32_t>{0x10, 0, 0}));
}

TEST(Descriptors, EveryFieldLiesInsideThePartsWords) {
    for (const ChipRecord& chip : chipCatalogue()) {
        for (const SelectDescriptor& slot : chip.selects) {
            EXPECT_LT(slot.wordIndex, chip.optionWordCount) << nameOf(chip);
            EXPECT_EQ(std::wcscmp(slot.name, kUnusedSlotName) == 0, slot.mask == 0);
        }
        for (const CheckDescriptor& slot : chip.checks) {
            EXPECT_LT(slot.wordIndex, chip.optionWordCount) << nameOf(chip);
            EXPECT_EQ(std::wcscmp(slot.name, kUnusedSlotName) == 0, slot.mask == 0);
            const std::wstring english = slot.description;
            const std::wstring chinese = slot.description + english.size() + 1;
            EXPECT_FALSE(chinese.empty()) << nameOf(chip) << L" " << slot.name;
            if (slot.attribute != 0) {
                ASSERT_LE(slot.attribute, 6u);
                EXPECT_STREQ(chip.selects[slot.attribute - 1].name, L"IWDT_DIV") << nameOf(chip);
            }
        }
    }
}

} // namespace
} // namespace zephlin
