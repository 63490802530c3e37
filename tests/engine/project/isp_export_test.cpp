#include "Zephlin_DLL.h"

#include "project_test_support.h"
#include "resources/embedded_images.h"
#include "temporary_folder.h"

#include <gtest/gtest.h>

#include <cwchar>

namespace zephlin {
namespace {

using testing::contextFor;
using testing::firstIndexOfType;
using testing::TemporaryFolder;

constexpr int32_t kNerelA1 = 0; // 32 KB, ISP unit 1024 bytes, built-in image 3008

struct Insertion {
    std::unique_ptr<ZephlinContext> context;
    std::vector<uint8_t> buffer;
    uint16_t result = 0;

    explicit Insertion(int32_t chipIndex) : context(contextFor(chipIndex)) {
        const ChipRecord& chip = *findChip(chipIndex);
        const bool second = chip.chipType == 21;
        buffer.assign(second ? chip.secondAreaSize : chip.mainAreaSize, 0xEE);
        (second ? context->dataImage : context->codeImage) = buffer.data();
        context->result = &result;
    }
    void userFile(const std::wstring& path) const {
        context->ispCodeSource = 1;
        std::wcsncpy(context->ispCodeName, path.c_str(), ZEPHLIN_PATH_CAPACITY - 1);
    }
    uint16_t run() {
        const uint16_t code = InsertISPcode(context.get());
        EXPECT_EQ(code, result);
        return code;
    }
};

TEST(InsertIspCode, BuiltInImageGoesToTheTopOfTheMainArea) {
    Insertion insertion(kNerelA1);
    ASSERT_EQ(insertion.run(), ZEPHLIN_RESULT_PASS);
    const auto image = resources::findImage(resources::ImageKind::Isp, 3008).value();
    ASSERT_EQ(image.size(), 2012u);
    EXPECT_EQ(insertion.context->codeSize, 0x7FDCu);
    EXPECT_TRUE(std::equal(image.begin(), image.end(), insertion.buffer.begin() + 0x7800));
    EXPECT_EQ(insertion.buffer[0], 0xFF);
    EXPECT_EQ(insertion.context->selectSettings[0], 2u);
    EXPECT_EQ(insertion.context->selectSettings[2], 1u);
}

TEST(InsertIspCode, HexFilesAreConvertedWhateverTheCaseOfTheirName) {
    TemporaryFolder folder;
    // 0x11 at address 0 and 0x22 at 0x400: two 1 KB units.
    const std::string hex = ":0100000011EE\n:0104000022D9\n:00000001FF\n";
    for (const std::string name : {"isp.hex", "ISP.HEX", "isp.Hex"}) {
        folder.write(name, hex);
        Insertion insertion(kNerelA1);
        insertion.userFile(folder.widePath(name));
        ASSERT_EQ(insertion.run(), ZEPHLIN_RESULT_PASS) << name;
        EXPECT_EQ(insertion.context->codeSize, 0x7800u + 0x401u);
        EXPECT_EQ(insertion.buffer[0x7800], 0x11);
        EXPECT_EQ(insertion.buffer[0x7801], 0xFF);
        EXPECT_EQ(insertion.buffer[0x7C00], 0x22);
    }
}

TEST(InsertIspCode, OtherFilesAreTakenByteForByte) {
    TemporaryFolder folder;
    folder.write("isp.bin", std::string(":0100000011EE\n"));
    Insertion insertion(kNerelA1);
    insertion.userFile(folder.widePath("isp.bin"));
    ASSERT_EQ(insertion.run(), ZEPHLIN_RESULT_PASS);
    EXPECT_EQ(insertion.context->codeSize, 0x7C00u + 14u);
    EXPECT_EQ(insertion.buffer[0x7C00], ':');
}

TEST(InsertIspCode, ImageOfTheAreasSizeFitsAndOneByteMoreIsTooLarge) {
    TemporaryFolder folder;
    const std::vector<uint8_t> full = testing::patternImage(0x8000, 5);
    folder.write("full.bin", full);
    Insertion fits(kNerelA1);
    fits.userFile(folder.widePath("full.bin"));
    ASSERT_EQ(fits.run(), ZEPHLIN_RESULT_PASS);
    EXPECT_EQ(fits.buffer, full);

    std::vector<uint8_t> over = full;
    over.push_back(0);
    folder.write("over.bin", over);
    Insertion tooLarge(kNerelA1);
    tooLarge.userFile(folder.widePath("over.bin"));
    EXPECT_EQ(tooLarge.run(), ZEPHLIN_RESULT_FILE_TOO_LARGE);
    EXPECT_EQ(tooLarge.buffer, std::vector<uint8_t>(0x8000, 0xEE));
    EXPECT_EQ(tooLarge.context->codeSize, 0u);

    // Linked at 0x08000000: the converted image would reach far past the area.
    folder.write("linked.hex", std::string(":020000040800F2\n:0100000011EE\n"));
    Insertion linked(kNerelA1);
    linked.userFile(folder.widePath("linked.hex"));
    EXPECT_EQ(linked.run(), ZEPHLIN_RESULT_FILE_TOO_LARGE);
}

TEST(InsertIspCode, TypeTwentyOneUsesTheSecondArea) {
    TemporaryFolder folder;
    folder.write("isp.bin", testing::patternImage(1924, 2));
    Insertion insertion(firstIndexOfType(21));
    insertion.userFile(folder.widePath("isp.bin"));
    ASSERT_EQ(insertion.run(), ZEPHLIN_RESULT_PASS);
    EXPECT_EQ(insertion.context->dataSize, 0x1000u + 1924u);
    EXPECT_EQ(insertion.buffer[0x1000], testing::patternImage(1, 2)[0]);
}

// An ISP code cut short at a damaged record would be inserted as if whole.
TEST(InsertIspCode, AHexFileWithADamagedRecordIsRefusedWithoutWriting) {
    TemporaryFolder folder;
    folder.write("isp.hex", std::string(":0100000011EE\n:0104000022D8\n:00000001FF\n"));
    Insertion insertion(kNerelA1);
    insertion.userFile(folder.widePath("isp.hex"));
    EXPECT_EQ(insertion.run(), ZEPHLIN_RESULT_CHECKSUM_ERROR);
    EXPECT_EQ(insertion.buffer, std::vector<uint8_t>(0x8000, 0xEE));
    EXPECT_EQ(insertion.context->codeSize, 0u);
    EXPECT_EQ(insertion.context->selectSettings[0], 0u);
    EXPECT_EQ(insertion.context->selectSettings[2], 0u);
}

TEST(InsertIspCode, MissingFileAndPartsWithoutIspSlotFailWithoutWriting) {
    Insertion missing(kNerelA1);
    missing.userFile(L"/nonexistent/isp.hex");
    EXPECT_EQ(missing.run(), ZEPHLIN_RESULT_OPEN_FILE_ERROR);
    EXPECT_EQ(missing.buffer, std::vector<uint8_t>(0x8000, 0xEE));
    EXPECT_EQ(missing.context->selectSettings[2], 0u);

    Insertion noSlot(firstIndexOfType(13));
    EXPECT_EQ(noSlot.run(), ZEPHLIN_RESULT_FAIL);
    EXPECT_TRUE(std::all_of(noSlot.buffer.begin(), noSlot.buffer.end(),
                            [](uint8_t byte) { return byte == 0xEE; }));
    EXPECT_EQ(InsertISPcode(nullptr), ZEPHLIN_RESULT_FAIL);
}

} // namespace
} // namespace zephlin
