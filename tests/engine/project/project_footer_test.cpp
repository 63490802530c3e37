#include "project/project_reader.h"
#include "project/project_writer.h"

#include "Zephlin_DLL.h"
#include "project_test_support.h"
#include "support/byte_order.h"
#include "support/checksum16.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <random>

namespace zephlin::project {
namespace {

using testing::contextFor;
using testing::firstIndexOfType;

constexpr SaveStamp kStamp{{0xA1, 0xB2, 0xC3, 0xD4}, {0x5E, 0x6F}, {25, 12, 31, 23, 59, 58}};

// A context holding images and names, and the file they make.
struct Project : testing::ContextWithImages {
    using ContextWithImages::ContextWithImages;

    void name(const wchar_t* codeFile, const wchar_t* ispCode) const {
        std::wcsncpy(context->codeFileName, codeFile, ZEPHLIN_PATH_CAPACITY - 1);
        std::wcsncpy(context->ispCodeName, ispCode, ZEPHLIN_PATH_CAPACITY - 1);
    }

    std::vector<uint8_t> footer() const {
        const std::optional<ProjectContent> content = projectContentOf(*context);
        EXPECT_TRUE(content.has_value());
        return buildProjectFooter(*content, kStamp);
    }

    std::vector<uint8_t> file() const {
        std::vector<uint8_t> bytes = code;
        bytes.insert(bytes.end(), data.begin(), data.end());
        const std::vector<uint8_t> tail = footer();
        bytes.insert(bytes.end(), tail.begin(), tail.end());
        return bytes;
    }
};

uint16_t load(const std::vector<uint8_t>& file, ZephlinContext& into) {
    return readProjectFooter(file, into);
}

uint16_t loadFresh(const std::vector<uint8_t>& file) {
    return load(file, *contextFor(0));
}

// Stores a correct footer checksum after a deliberate change of the footer.
void resealFooter(std::vector<uint8_t>& file) {
    const std::size_t length = loadBigEndian(file, file.size() - 2, 2);
    if (length < 4 || length > file.size()) {
        return;
    }
    const std::span<uint8_t> footer = std::span(file).last(length);
    storeBigEndian(footer, length - 4, 2, 0);
    storeBigEndian(footer, length - 4, 2, checksum16(footer));
}

std::size_t footerStart(const std::vector<uint8_t>& file) {
    return file.size() - loadBigEndian(file, file.size() - 2, 2);
}

TEST(ProjectFooter, ThreePointZeroExampleHasItsLengthAndLayout) {
    const Project project(0, 0x8000, 0); // "Nerel A1(3V)", version 0x0300
    project.name(L"abcdef.hex", L"");
    const std::vector<uint8_t> file = project.file();
    ASSERT_EQ(file.size(), 0x8000u + 173u);
    const std::span<const uint8_t> footer = std::span(file).last(173);
    EXPECT_EQ(std::string(footer.begin(), footer.begin() + 16), "veltrix. KDX 3.0");
    EXPECT_EQ(footer[16], 10);
    EXPECT_EQ(loadBigEndian(footer, 27, 4), 0x8000u);                  // code size
    EXPECT_EQ(loadBigEndian(footer, 31, 2), checksum16(project.code)); // code checksum
    EXPECT_EQ(loadBigEndian(footer, 33, 2), 0x0004u);                  // chip ID
    EXPECT_EQ(loadBigEndian(footer, 35, 2), 0x0070u);                  // E
    EXPECT_EQ(footer[155], 0);                                         // M at 33+L+V+E
    EXPECT_EQ(footer[173 - 17], 0x5E);                                 // ATPG key
    EXPECT_EQ(footer[173 - 15], 25);                                   // year - 2000
    EXPECT_EQ(loadBigEndian(footer, 173 - 9, 2), 0x0300u);
    EXPECT_EQ(footer[173 - 7], ZEPHLIN_VERSION_MAJOR);
    EXPECT_EQ(footer[173 - 6], ZEPHLIN_VERSION_MINOR);
    EXPECT_EQ(footer[173 - 5], 0x10);
    EXPECT_EQ(loadBigEndian(footer, 173 - 2, 2), 173u);
}

TEST(ProjectFooter, OptionBlockHoldsWordsLittleEndianAndEveryOtherByteIsErased) {
    const std::vector<uint32_t> words{0x11223344, 0xA5A55A5A};
    const std::array<uint8_t, 16> customer{'C',  'U',  'S',  'T',  0xFF, 0xFF, 0xFF, 0xFF,
                                           0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    const std::array<uint8_t, 4> key{1, 2, 3, 4};
    const std::vector<uint8_t> block = buildOptionBlock(words, customer, key, 112);
    ASSERT_EQ(block.size(), 112u);
    const std::vector<uint8_t> head{0x44, 0x33, 0x22, 0x11, 0x5A, 0x5A, 0xA5, 0xA5};
    EXPECT_TRUE(std::equal(head.begin(), head.end(), block.begin()));
    for (std::size_t i = 0; i < block.size(); ++i) {
        if (i < 8) {
            continue;
        }
        if (i >= 64 && i < 80) {
            EXPECT_EQ(block[i], customer[i - 64]) << i;
        } else if (i >= 96 && i < 100) {
            EXPECT_EQ(block[i], key[i - 96]) << i;
        } else if (i == 100) {
            EXPECT_EQ(block[i], 0x05);
        } else {
            EXPECT_EQ(block[i], 0xFF) << "offset " << i;
        }
    }
}

TEST(ProjectFooter, EveryFooterByteChangeIsACorruptFileAndEveryCodeByteABadBuffer) {
    Project project(0, 0x8000, 0);
    project.name(L"abcdef.hex", L"isp.hex");
    const std::vector<uint8_t> file = project.file();
    ASSERT_EQ(loadFresh(file), ZEPHLIN_RESULT_PASS);
    const std::size_t start = footerStart(file);
    for (std::size_t i = start; i < file.size() - 2; ++i) {
        std::vector<uint8_t> changed = file;
        changed[i] ^= 0x01;
        EXPECT_EQ(loadFresh(changed), ZEPHLIN_RESULT_KDX_FILE_CHECKSUM_ERROR) << "offset " << i;
    }
    for (const std::size_t i : {std::size_t{0}, std::size_t{1}, std::size_t{0x1234}, start - 1}) {
        std::vector<uint8_t> changed = file;
        changed[i] = static_cast<uint8_t>(changed[i] + 1);
        EXPECT_EQ(loadFresh(changed), ZEPHLIN_RESULT_KDX_BUFFER_CHECKSUM_ERROR) << "offset " << i;
    }
}

TEST(ProjectFooter, SecondAreaTravelsInAThreePointTwoFile) {
    const int32_t type27 = firstIndexOfType(27); // 1 KB second area, version 0x0302
    const Project project(type27, 0x400, 0x300);
    ASSERT_LT(firstChipIndexWithChipId(chipCatalogue()[type27].chipId), type27);
    const std::vector<uint8_t> file = project.file();
    const auto loaded = contextFor(0);
    ASSERT_EQ(load(file, *loaded), ZEPHLIN_RESULT_PASS);
    EXPECT_EQ(loaded->chipIndex, type27);
    EXPECT_EQ(loaded->projectVersion, 0x0302);
    EXPECT_EQ(loaded->dataSize, 0x300u);
    EXPECT_EQ(loaded->dataChecksum, checksum16(project.data));

    std::vector<uint8_t> changed = file;
    changed[0x400 + 0x2FF] ^= 0x80;
    EXPECT_EQ(loadFresh(changed), ZEPHLIN_RESULT_KDX_BUFFER_CHECKSUM_ERROR);
}

TEST(ProjectFooter, ThreePointTwoFileWithoutDataSkipsTheDataCheck) {
    const Project project(firstIndexOfType(27), 0x400, 0);
    const auto loaded = contextFor(0);
    loaded->dataSize = 77;
    ASSERT_EQ(load(project.file(), *loaded), ZEPHLIN_RESULT_PASS);
    EXPECT_EQ(loaded->dataSize, 0u);
}

// A 3.0 footer has no data fields: the data image is what the body holds
// after the code image, at most the second area, and no checksum covers it.
TEST(ProjectFooter, ThreePointZeroFileTakesTheRestOfTheBodyAsItsDataImage) {
    const int32_t type21 = firstIndexOfType(21); // second area, version 0x0300
    const Project project(type21, 0x200, 0x100);
    std::vector<uint8_t> file = project.file();
    file[0x200 + 5] ^= 0xFF; // not covered by any checksum in a 3.0 file
    std::vector<uint8_t> data = project.data;
    data[5] ^= 0xFF;
    const auto loaded = contextFor(0);
    loaded->dataSize = 1234;
    loaded->dataChecksum = 0x4321;
    ASSERT_EQ(load(file, *loaded), ZEPHLIN_RESULT_PASS);
    EXPECT_EQ(loaded->projectVersion, 0x0300);
    EXPECT_EQ(loaded->dataSize, 0x100u);
    EXPECT_EQ(loaded->dataChecksum, checksum16(data));

    // Bytes beyond the second area's size are not part of the image.
    const uint32_t secondArea = chipCatalogue()[static_cast<std::size_t>(type21)].secondAreaSize;
    const Project overfull(type21, 0x200, secondArea + 16);
    ASSERT_EQ(load(overfull.file(), *loaded), ZEPHLIN_RESULT_PASS);
    EXPECT_EQ(loaded->dataSize, secondArea);
    EXPECT_EQ(loaded->dataChecksum,
              checksum16(std::span<const uint8_t>(overfull.data).first(secondArea)));

    // A part without a second area gets no data image.
    const Project plain(0, 0x200, 0);
    loaded->dataSize = 1234;
    ASSERT_EQ(load(plain.file(), *loaded), ZEPHLIN_RESULT_PASS);
    EXPECT_EQ(loaded->dataSize, 0u);
}

// Five type-14 parts share a chip ID, and so do a type-17 and a type-27 pair.
TEST(ProjectFooter, SharedChipIdLoadsAsTheFirstPartInCatalogueOrder) {
    const int32_t firstType14 = firstIndexOfType(14);
    const Project later(firstType14 + 1, 0x100, 0);
    ASSERT_EQ(chipCatalogue()[firstType14 + 1].chipId, chipCatalogue()[firstType14].chipId);
    const auto loaded = contextFor(firstType14 + 1);
    ASSERT_EQ(load(later.file(), *loaded), ZEPHLIN_RESULT_PASS);
    EXPECT_EQ(loaded->chipIndex, firstType14);

    const int32_t type17 = firstIndexOfType(17);
    const Project first(type17, 0x100, 0);
    const auto alsoLoaded = contextFor(firstIndexOfType(27));
    ASSERT_EQ(load(first.file(), *alsoLoaded), ZEPHLIN_RESULT_PASS);
    EXPECT_EQ(alsoLoaded->chipIndex, type17);
}

TEST(ProjectFooter, SharedChipIdKeepsAPartTheFirstOneCannotHold) {
    const int32_t type27 = firstIndexOfType(27); // shares its chip ID with a type-17 part
    ASSERT_LT(firstChipIndexWithChipId(chipCatalogue()[type27].chipId), type27);
    const Project project(type27, 0x100, 0); // six option words, the type-17 part has three
    storeOptionSettings(*project.context, testing::nonDefaultSettings(*findChip(type27)));
    const auto loaded = contextFor(0);
    ASSERT_EQ(load(project.file(), *loaded), ZEPHLIN_RESULT_PASS);
    EXPECT_EQ(loaded->chipIndex, type27);
    EXPECT_EQ(optionSettingsOf(*loaded).check, optionSettingsOf(*project.context).check);
}

TEST(ProjectFooter, EveryPartRoundTripsImagesOptionsAndFields) {
    const auto records = chipCatalogue();
    for (std::size_t i = 0; i < records.size(); ++i) {
        const ChipRecord& chip = records[i];
        const auto index = static_cast<int32_t>(i);
        const Project project(index, 0x300 + i, chip.secondAreaSize != 0 ? 0x80 + i : 0);
        project.name(L"固件 v2.hex", L"Default ISP");
        const OptionSettings settings = testing::nonDefaultSettings(chip);
        OptionSettings defaults;
        decodeOptionWords(chip, defaultOptionWords(chip), defaults);
        EXPECT_TRUE(settings.select != defaults.select || settings.check != defaults.check);
        storeOptionSettings(*project.context, settings);
        project.context->stepFlags = 0x001D;
        project.context->ispCodeSource = 1;
        std::copy_n("CUSTOMER-01", 11, project.context->customerString);

        const auto loaded = contextFor(-1);
        ASSERT_EQ(load(project.file(), *loaded), ZEPHLIN_RESULT_PASS) << chip.partName;
        // Parts that differ only in their main area's size share a chip ID,
        // and a file for a later one loads as the first of them.
        const int32_t first = firstChipIndexWithChipId(chip.chipId);
        const bool twin = chip.chipType == 14 && first != index;
        EXPECT_EQ(loaded->chipIndex, twin ? first : index) << chip.partName;
        {
            const OptionSettings got = optionSettingsOf(*loaded);
            EXPECT_EQ(got.select, settings.select) << chip.partName;
            EXPECT_EQ(got.check, settings.check) << chip.partName;
        }
        EXPECT_EQ(loaded->codeSize, project.code.size());
        EXPECT_EQ(loaded->codeChecksum, checksum16(project.code));
        EXPECT_EQ(loaded->bufferChecksum, checksum16(project.code));
        if (chip.projectVersion != 0x0300) {
            EXPECT_EQ(loaded->dataSize, project.data.size()) << chip.partName;
        }
        EXPECT_STREQ(loaded->codeFileName, L"固件 v2.hex");
        EXPECT_STREQ(loaded->ispCodeName, L"Default ISP");
        EXPECT_EQ(loaded->stepFlags, 0x001D);
        EXPECT_EQ(loaded->ispCodeSource, 1);
        EXPECT_EQ(loaded->customerId, 5);
        EXPECT_TRUE(std::equal(std::begin(loaded->customerString), std::end(loaded->customerString),
                               std::begin(project.context->customerString)));
        EXPECT_EQ(loaded->randomKey, 0xA1B2C3D4u);
        EXPECT_EQ(loaded->atpgKey, 0x5E6F);
        EXPECT_EQ(loaded->projectVersion, chip.projectVersion);
        EXPECT_EQ(loaded->libraryVersion, (ZEPHLIN_VERSION_MAJOR << 8) | ZEPHLIN_VERSION_MINOR);
        EXPECT_TRUE(std::equal(std::begin(loaded->saveTime), std::end(loaded->saveTime),
                               kStamp.saveTime.begin()));
    }
}

TEST(ProjectFooter, ChipChecksumWordIsWrittenButNotReadBack) {
    const int32_t type4 = firstIndexOfType(4);
    const Project project(type4, 0x100, 0);
    project.context->stepFlags = ZEPHLIN_STEP_IN_SEQUENCE | ZEPHLIN_STEP_SAVE_CHIP_CHECKSUM;
    project.context->codeAreaChecksum = 0x1234;
    const std::vector<uint8_t> file = project.file();
    const std::size_t block = footerStart(file) + 17 + 6 + 4;
    EXPECT_EQ(loadLe32(file, block + 32), 0xFFFF1234u);
    const auto loaded = contextFor(0);
    ASSERT_EQ(load(file, *loaded), ZEPHLIN_RESULT_PASS);
    EXPECT_EQ(loaded->stepFlags, ZEPHLIN_STEP_SAVE_CHIP_CHECKSUM); // low 8 bits only
}

TEST(ProjectFooter, LongNamesAreCutAfterTheirLastWholeCharacter) {
    const Project project(0, 0x10, 0);
    std::wstring longName(200, L'名'); // 600 bytes in UTF-8
    project.name(longName.c_str(), L"");
    const std::optional<ProjectContent> content = projectContentOf(*project.context);
    ASSERT_TRUE(content.has_value());
    EXPECT_EQ(content->codeFileName.size(), 255u); // 85 characters of 3 bytes
    const auto loaded = contextFor(0);
    ASSERT_EQ(load(project.file(), *loaded), ZEPHLIN_RESULT_PASS);
    EXPECT_EQ(std::wstring(loaded->codeFileName), std::wstring(85, L'名'));
}

TEST(ProjectFooter, ContentIsRefusedForAnUnknownPartOrAMissingImage) {
    EXPECT_FALSE(projectContentOf(*contextFor(-1)).has_value());
    EXPECT_FALSE(projectContentOf(*contextFor(36)).has_value());
    const auto context = contextFor(0);
    context->codeSize = 16; // no image behind it
    EXPECT_FALSE(projectContentOf(*context).has_value());
}

TEST(ProjectFooterChecks, OtherToolsLoadAndUnknownToolsAreRefused) {
    const Project project(0, 0x40, 0);
    for (const auto& [toolId, expected] :
         {std::pair{0x16, ZEPHLIN_RESULT_PASS}, std::pair{0x19, ZEPHLIN_RESULT_PASS},
          std::pair{0x11, ZEPHLIN_RESULT_KDX_TOOL_ID_ERROR}}) {
        std::vector<uint8_t> file = project.file();
        file[file.size() - 5] = static_cast<uint8_t>(toolId);
        resealFooter(file);
        EXPECT_EQ(loadFresh(file), expected) << toolId;
    }
}

TEST(ProjectFooterChecks, UnknownChipIdLeavesNoPart) {
    const Project project(0, 0x40, 0);
    std::vector<uint8_t> file = project.file();
    storeBigEndian(file, footerStart(file) + 17 + 6, 2, 0xBEEF);
    resealFooter(file);
    const auto loaded = contextFor(3);
    EXPECT_EQ(load(file, *loaded), ZEPHLIN_RESULT_KDX_PART_NOT_SUPPORTED);
    EXPECT_EQ(loaded->chipIndex, -1);
}

TEST(ProjectFooterChecks, CustomerIdOtherThanFiveFailsAfterTheOptionsWereStored) {
    const Project project(0, 0x40, 0);
    project.context->checkSettings[0] = 1;
    std::vector<uint8_t> file = project.file();
    file[footerStart(file) + 17 + 6 + 4 + 112 - 12] = 0x06;
    resealFooter(file);
    const auto loaded = contextFor(5);
    EXPECT_EQ(load(file, *loaded), ZEPHLIN_RESULT_KDX_CUSTOMER_ID_ERROR);
    EXPECT_EQ(loaded->chipIndex, 0);
    EXPECT_EQ(loaded->checkSettings[0], 1u);
}

// Files that announce more than they hold are refused without reading
// outside them: the sanitizers watch every case.
TEST(ProjectFooterChecks, FilesTooShortForTheirFooterAreCorrupt) {
    const Project project(0, 0x40, 0);
    const std::vector<uint8_t> file = project.file();
    EXPECT_EQ(loadFresh({}), ZEPHLIN_RESULT_KDX_FILE_CHECKSUM_ERROR);
    EXPECT_EQ(loadFresh({0x00}), ZEPHLIN_RESULT_KDX_FILE_CHECKSUM_ERROR);
    EXPECT_EQ(loadFresh({0x00, 0x02}), ZEPHLIN_RESULT_KDX_FILE_CHECKSUM_ERROR);
    EXPECT_EQ(loadFresh({0x00, 0x00}), ZEPHLIN_RESULT_KDX_FILE_CHECKSUM_ERROR);
    // The footer alone, without its body's first bytes, claims more than it has.
    std::vector<uint8_t> longer = file;
    storeBigEndian(longer, longer.size() - 2, 2, static_cast<uint32_t>(longer.size() + 1));
    EXPECT_EQ(loadFresh(longer), ZEPHLIN_RESULT_KDX_FILE_CHECKSUM_ERROR);
    // Footers too short for their fixed fields, with a valid checksum and tool
    // ID: every length from the tail alone up to one below the smallest footer.
    for (std::size_t length = 16; length < 51 + 48; ++length) {
        std::vector<uint8_t> tiny(length, 0);
        tiny[length - 5] = 0x10;
        storeBigEndian(tiny, length - 2, 2, static_cast<uint32_t>(length));
        if (length >= 17) {
            resealFooter(tiny);
        }
        EXPECT_EQ(loadFresh(tiny), ZEPHLIN_RESULT_KDX_FILE_CHECKSUM_ERROR) << length;
    }
}

TEST(ProjectFooterChecks, LengthsThatRunPastTheFooterAreCorrupt) {
    const Project project(0, 0x40, 0);
    const std::size_t start = footerStart(project.file());
    const std::size_t length = project.file().size() - start;
    struct Change {
        const char* what;
        std::size_t offset;
        uint8_t value;
    };
    const Change changes[] = {
        {"L", 16, 0xFF},
        {"E", 17 + 6 + 3, 0xFF},
        {"E too small for its fields", 17 + 6 + 3, 0x20},
        {"M", 17 + 6 + 4 + 112 + 6, 0xFF},
        {"M by one", 17 + 6 + 4 + 112 + 6, 1},
    };
    for (const Change& change : changes) {
        std::vector<uint8_t> file = project.file();
        ASSERT_LT(change.offset, length);
        file[start + change.offset] = change.value;
        resealFooter(file);
        EXPECT_EQ(loadFresh(file), ZEPHLIN_RESULT_KDX_FILE_CHECKSUM_ERROR) << change.what;
    }
}

TEST(ProjectFooterChecks, SizesBeyondTheBodyAreABadBuffer) {
    const Project withData(firstIndexOfType(27), 0x40, 0x20);
    const std::size_t start = footerStart(withData.file());
    for (const auto& [offset, value] :
         {std::pair{17u, 0x61u}, std::pair{17u + 6u, 0x21u}, std::pair{17u, 0xFFFFFFFFu},
          std::pair{17u + 6u, 0xFFFFFFFFu}}) {
        std::vector<uint8_t> file = withData.file();
        storeBigEndian(file, start + offset, 4, value);
        resealFooter(file);
        EXPECT_EQ(loadFresh(file), ZEPHLIN_RESULT_KDX_BUFFER_CHECKSUM_ERROR) << offset;
    }
}

TEST(ProjectFooterChecks, OptionBlockTooSmallForThePartsWordsIsCorrupt) {
    // A 3.0 footer (E = 112, room for 16 words) naming a part with 32 words.
    const int32_t type13 = firstIndexOfType(13);
    const Project project(type13, 0x40, 0);
    std::optional<ProjectContent> content = projectContentOf(*project.context);
    ASSERT_TRUE(content.has_value());
    content->variant = footerVariantOf(0x0300);
    content->optionWords.resize(16);
    std::vector<uint8_t> file = project.code;
    const std::vector<uint8_t> footer = buildProjectFooter(*content, kStamp);
    file.insert(file.end(), footer.begin(), footer.end());
    const auto loaded = contextFor(0);
    EXPECT_EQ(load(file, *loaded), ZEPHLIN_RESULT_KDX_FILE_CHECKSUM_ERROR);
}

TEST(ProjectImages, CopiesCodeAndDataAndRefusesSizesPastTheBody) {
    const Project project(firstIndexOfType(27), 0x40, 0x20);
    const std::vector<uint8_t> file = project.file();
    const auto loaded = contextFor(0);
    ASSERT_EQ(load(file, *loaded), ZEPHLIN_RESULT_PASS);
    std::vector<uint8_t> code(loaded->codeSize);
    std::vector<uint8_t> data(loaded->dataSize);
    loaded->codeImage = code.data();
    loaded->dataImage = data.data();
    ASSERT_EQ(readProjectImages(file, *loaded), ZEPHLIN_RESULT_PASS);
    EXPECT_EQ(code, project.code);
    EXPECT_EQ(data, project.data);

    // A 3.0-style data size from the caller that reaches into the footer.
    std::vector<uint8_t> bigger(0x100, 0xEE);
    loaded->dataSize = 0x100;
    loaded->dataImage = bigger.data();
    EXPECT_EQ(readProjectImages(file, *loaded), ZEPHLIN_RESULT_KDX_BUFFER_CHECKSUM_ERROR);
    EXPECT_EQ(bigger, std::vector<uint8_t>(0x100, 0xEE));
    loaded->dataSize = 0x20;
    loaded->dataImage = nullptr;
    EXPECT_EQ(readProjectImages(file, *loaded), ZEPHLIN_RESULT_FAIL);
    EXPECT_EQ(readProjectImages(std::vector<uint8_t>{1}, *loaded),
              ZEPHLIN_RESULT_KDX_FILE_CHECKSUM_ERROR);
}

} // namespace
} // namespace zephlin::project

namespace zephlin::project {
namespace {

// Random damage to a valid file never makes the reader throw or read outside
// the file (the sanitizers watch); it only ever answers with a result code.
TEST(ProjectFooterChecks, RandomDamageAlwaysEndsWithAResultCode) {
    Project project(firstIndexOfType(27), 0x80, 0x20);
    project.name(L"a.hex", L"b.hex");
    const std::vector<uint8_t> file = project.file();
    std::minstd_rand random(7);
    for (int round = 0; round < 3000; ++round) {
        std::vector<uint8_t> damaged = file;
        const int changes = 1 + static_cast<int>(random() % 4);
        for (int k = 0; k < changes; ++k) {
            damaged[random() % damaged.size()] = static_cast<uint8_t>(random());
        }
        if (round % 3 == 0) {
            resealFooter(damaged);
        }
        const auto loaded = contextFor(0);
        uint16_t code = 0;
        ASSERT_NO_THROW(code = readProjectFooter(damaged, *loaded));
        EXPECT_TRUE(code == ZEPHLIN_RESULT_PASS || (code >= 115 && code <= 119)) << code;
        ASSERT_NO_THROW(code = readProjectImages(damaged, *loaded));
    }
}

} // namespace
} // namespace zephlin::project
