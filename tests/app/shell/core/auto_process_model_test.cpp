// The Auto dialog's rules: the boxes show the step flags, clicks change them
// at once, and Save Chip Checksum goes with Program and Write Options.
#include "shell/core/auto_process_model.h"
#include "shell/core/control_ids.h"

#include "Zephlin_DLL.h"

#include <gtest/gtest.h>

namespace zephlin {
namespace {

TEST(AutoProcessModelTest, TheBoxesShowTheLowEightBitsOfTheFlags) {
    uint16_t flags = ZEPHLIN_STEP_DEFAULT | ZEPHLIN_STEP_IN_SEQUENCE;
    const AutoProcessModel model(flags, 1);
    EXPECT_EQ(model.ticked(ids::kAutoWholeChipErase), true);
    EXPECT_EQ(model.ticked(ids::kAutoErase), false);
    EXPECT_EQ(model.ticked(ids::kAutoBlankCheck), true);
    EXPECT_EQ(model.ticked(ids::kAutoProgram), true);
    EXPECT_EQ(model.ticked(ids::kAutoVerify), true);
    EXPECT_EQ(model.ticked(ids::kAutoWriteOptions), true);
    EXPECT_EQ(model.ticked(ids::kAutoSaveChecksum), true);
    EXPECT_FALSE(model.ticked(ids::kAutoRun).has_value());
}

TEST(AutoProcessModelTest, SaveChipChecksumShowsOnlyForPartsThatStoreIt) {
    uint16_t flags = ZEPHLIN_STEP_DEFAULT;
    EXPECT_TRUE(AutoProcessModel(flags, 1).saveChecksumShown());
    EXPECT_FALSE(AutoProcessModel(flags, 0).saveChecksumShown());
}

TEST(AutoProcessModelTest, PlainBoxesSetAndClearTheirOwnBitAlone) {
    uint16_t flags = 0;
    AutoProcessModel model(flags, 1);
    model.click(ids::kAutoErase, true);
    EXPECT_EQ(flags, ZEPHLIN_STEP_ERASE);
    model.click(ids::kAutoVerify, true);
    model.click(ids::kAutoErase, false);
    EXPECT_EQ(flags, ZEPHLIN_STEP_VERIFY);
    model.click(ids::kAutoRun, true);
    EXPECT_EQ(flags, ZEPHLIN_STEP_VERIFY);
}

TEST(AutoProcessModelTest, ProgramAndWriteOptionsCarrySaveChipChecksum) {
    uint16_t flags = ZEPHLIN_STEP_DEFAULT;
    AutoProcessModel model(flags, 1);

    model.click(ids::kAutoProgram, false);
    EXPECT_EQ(model.ticked(ids::kAutoSaveChecksum), false);
    EXPECT_EQ(flags & (ZEPHLIN_STEP_PROGRAM | ZEPHLIN_STEP_SAVE_CHIP_CHECKSUM), 0);

    // Ticking Program while Write Options is ticked ticks it again.
    model.click(ids::kAutoProgram, true);
    EXPECT_EQ(model.ticked(ids::kAutoSaveChecksum), true);
    EXPECT_EQ(flags, ZEPHLIN_STEP_DEFAULT);

    model.click(ids::kAutoWriteOptions, false);
    EXPECT_EQ(model.ticked(ids::kAutoSaveChecksum), false);
    // Ticking Program without Write Options leaves it unticked.
    model.click(ids::kAutoProgram, false);
    model.click(ids::kAutoProgram, true);
    EXPECT_EQ(model.ticked(ids::kAutoSaveChecksum), false);
    model.click(ids::kAutoWriteOptions, true);
    EXPECT_EQ(model.ticked(ids::kAutoSaveChecksum), true);
}

TEST(AutoProcessModelTest, SaveChipChecksumAloneSetsItsBitWhateverTheOthersShow) {
    uint16_t flags = 0;
    AutoProcessModel model(flags, 1);
    model.click(ids::kAutoSaveChecksum, true);
    EXPECT_EQ(flags, ZEPHLIN_STEP_SAVE_CHIP_CHECKSUM);
    model.click(ids::kAutoSaveChecksum, false);
    EXPECT_EQ(flags, 0);
}

TEST(AutoProcessModelTest, TheInSequenceBitIsLeftAlone) {
    uint16_t flags = ZEPHLIN_STEP_IN_SEQUENCE;
    AutoProcessModel model(flags, 0);
    model.click(ids::kAutoBlankCheck, true);
    model.click(ids::kAutoBlankCheck, false);
    EXPECT_EQ(flags, ZEPHLIN_STEP_IN_SEQUENCE);
}

} // namespace
} // namespace zephlin
