#include "common/dialog_units.h"
#include "shell/core/writer_choice.h"

#include "Zephlin_DLL.h"

#include <gtest/gtest.h>

namespace zephlin {
namespace {

TEST(WriterChoice, UsbUnlessTheSimulatorIsAskedFor) {
    const WriterChoiceParse none = parseWriterChoice({});
    EXPECT_TRUE(none.error.empty());
    EXPECT_FALSE(none.choice.simulated);

    const WriterChoiceParse sim = parseWriterChoice({"--writer=sim", "--sim-state", "chip.state"});
    EXPECT_TRUE(sim.error.empty());
    EXPECT_TRUE(sim.choice.simulated);
    EXPECT_EQ(sim.choice.stateFile, "chip.state");
    EXPECT_EQ(parseWriterChoice({"--writer=sim", "--sim-state=a"}).choice.stateFile, "a");
}

TEST(WriterChoice, EngineerModeGoesWithEitherWriter) {
    EXPECT_FALSE(parseWriterChoice({}).engineerMode);
    const WriterChoiceParse parse = parseWriterChoice({"--engineer", "--writer=sim"});
    EXPECT_TRUE(parse.error.empty());
    EXPECT_TRUE(parse.engineerMode);
    EXPECT_TRUE(parse.choice.simulated);
    EXPECT_FALSE(parseWriterChoice({"--engineer=1"}).error.empty());
}

TEST(WriterChoice, MistakesAreRefusedRatherThanIgnored) {
    EXPECT_FALSE(parseWriterChoice({"--writer=simulator"}).error.empty());
    EXPECT_FALSE(parseWriterChoice({"--writer=sim", "--sim-state"}).error.empty());
    // A state file only makes sense for the simulator.
    EXPECT_FALSE(parseWriterChoice({"--sim-state", "chip.state"}).error.empty());
}

TEST(WriterChoice, TheCaptionNamesTheSimulator) {
    std::string error;
    ASSERT_TRUE(applyWriterChoice({true, ""}, error)) << error;
    EXPECT_EQ(ZephlinSelectedWriter(), ZEPHLIN_WRITER_SIMULATOR);
    EXPECT_EQ(writerCaptionSuffix(), L" [simulated writer]");
    ASSERT_TRUE(applyWriterChoice({}, error));
    EXPECT_EQ(ZephlinSelectedWriter(), ZEPHLIN_WRITER_USB);
    EXPECT_TRUE(writerCaptionSuffix().empty());
}

TEST(DialogUnits, QuarterCharacterAcrossEighthDown) {
    const DialogBaseUnits base{7, 17};
    EXPECT_EQ(toPixels({574, 399, 60, 14}, base), (PixelRect{1005, 848, 105, 30}));
    EXPECT_EQ(horizontalPixels(2, {6, 13}), 3);
    EXPECT_EQ(averageCharWidthOf52Letters(364), 7); // 364 / 26 = 14, halved
    EXPECT_EQ(averageCharWidthOf52Letters(339), 7); // 13.03 rounds up to 7
}

} // namespace
} // namespace zephlin
