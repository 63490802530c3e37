#include "operations/option_codec.h"

#include <gtest/gtest.h>

#include <cwchar>

namespace zephlin {
namespace {

const ChipRecord& firstOfType(uint8_t chipType) {
    for (const ChipRecord& chip : chipCatalogue()) {
        if (chip.chipType == chipType) {
            return chip;
        }
    }
    throw std::logic_error("no part of that chip type");
}

OptionSettings allClear() {
    return OptionSettings{};
}

OptionSettings checked(std::initializer_list<std::size_t> slots) {
    OptionSettings settings;
    for (const std::size_t slot : slots) {
        settings.check[slot] = 1;
    }
    return settings;
}

std::vector<uint32_t> build(uint8_t chipType, const OptionSettings& settings,
                            ChecksumRequest checksum = {}) {
    return buildOptionWords(firstOfType(chipType), settings, checksum);
}

OptionSettings decode(uint8_t chipType, const std::vector<uint32_t>& words) {
    OptionSettings settings;
    decodeOptionWords(firstOfType(chipType), words, settings);
    return settings;
}

TEST(DescriptorCodec, ClearChecksReleaseTheLockAndDividerZeroSelectsF1) {
    const std::vector<uint32_t> words = build(1, allClear());
    std::vector<uint32_t> expected = defaultOptionWords(firstOfType(1));
    expected[0] = 0xFFFFFFFF;
    expected[3] = 0xFFFFFF0F;
    EXPECT_EQ(words, expected);
}

TEST(DescriptorCodec, ComplementFieldsRoundTrip) {
    OptionSettings settings;
    settings.select[4] = 3; // BOD1 Level "Detect 2.0V"
    const std::vector<uint32_t> words = build(1, settings);
    EXPECT_EQ(words[0] & 0x30000u, 0u);
    EXPECT_EQ(decode(1, words).select[4], 3u);
}

TEST(DescriptorCodec, WatchdogDividerHoldsItsValueAndCapsAtTwelve) {
    OptionSettings settings;
    settings.select[3] = 5;
    EXPECT_EQ(build(1, settings)[3], 0xFFFFFF5Fu);
    std::vector<uint32_t> words = defaultOptionWords(firstOfType(1));
    words[3] = 0xFFFFFFEF; // field 14
    EXPECT_EQ(decode(1, words).select[3], 12u);
}

TEST(DescriptorCodec, OversizedSelectValuesStayInsideTheirField) {
    OptionSettings settings;
    settings.select[2] = 0xFFFFFFFF; // BOOT_MS, mask 0x3
    settings.select[3] = 0xFFFFFFFF; // IWDT_DIV, mask 0xF0
    settings.select[5] = 0xFFFFFFFF; // unused slot: mask 0
    const std::vector<uint32_t> words = build(1, settings);
    EXPECT_EQ(words[0], 0xFFFFFFFCu);
    EXPECT_EQ(words[3], 0xFFFFFFFFu);
}

TEST(DescriptorCodec, ChipChecksumWordOnlyWithBothStepFlags) {
    const ChecksumRequest inSequence{0x8084, 0x1234};
    const std::vector<uint32_t> withChecksum = build(4, allClear(), inSequence);
    ASSERT_EQ(withChecksum.size(), 9u);
    EXPECT_EQ(withChecksum[8], 0xFFFF1234u);
    EXPECT_EQ(build(4, allClear(), {0x0084, 0x1234}).size(), 8u);
    EXPECT_EQ(build(4, allClear(), {0x8004, 0x1234}).size(), 8u);
    // Parts without the checksum-save flag never grow.
    EXPECT_EQ(build(21, allClear(), inSequence).size(), 4u);
    EXPECT_EQ(build(17, allClear(), inSequence).size(), 3u);
}

TEST(FixedPatternCodec, Type17LockClearsWatchdogAndComplementsByteThree) {
    EXPECT_EQ(build(17, checked({0}))[0], 0x01FE807Fu);
    const OptionSettings decoded = decode(17, build(17, checked({0})));
    EXPECT_EQ(decoded.check[0], 1u);
    EXPECT_EQ(decoded.check[1], 0u);
}

TEST(FixedPatternCodec, Type18BootSettingsRoundTrip) {
    for (uint32_t boot = 0; boot < 4; ++boot) {
        OptionSettings settings;
        settings.select[0] = boot;
        EXPECT_EQ(decode(18, build(18, settings)).select[0], boot);
    }
    OptionSettings flashIsp;
    flashIsp.select[0] = 2;
    EXPECT_EQ(build(18, flashIsp)[0] & 0xD00000u, 0xD00000u);
}

TEST(FixedPatternCodec, Type14LockedPatternReadsBackAsLocked) {
    const std::vector<uint32_t> words = build(14, checked({0}));
    EXPECT_EQ(words[0] & 0xFFFFu, 0x00FFu);
    EXPECT_EQ(decode(14, words).check[0], 1u);
    EXPECT_EQ(decode(14, build(14, allClear())).check[0], 0u);
}

TEST(FixedPatternCodec, Type16WatchdogCountFillsTheLowTwentyBits) {
    OptionSettings settings;
    settings.select[6] = 0x12345;
    EXPECT_EQ(build(16, settings)[1], 0xFFF12345u);
    settings.select[6] = 0xFFFFFFFF;
    EXPECT_EQ(decode(16, build(16, settings)).select[6], 0xFFFFFu);
}

TEST(FixedPatternCodec, Type13LockWritesTheProtectionPatterns) {
    const std::vector<uint32_t> locked = build(13, checked({0, 3}));
    EXPECT_EQ(locked[0], 0x5555u);
    EXPECT_EQ(locked[8], 0x5555u);
    EXPECT_EQ(locked[4] & 0xFFu, 0x83u);
    EXPECT_EQ(locked[28] & 0x7u, 0x1u);
    EXPECT_EQ(locked[31], ~locked[28]);
    EXPECT_EQ(locked[15], ~locked[12]);
    const std::vector<uint32_t> open = build(13, allClear());
    EXPECT_EQ(open, defaultOptionWords(firstOfType(13)));
}

TEST(FixedPatternCodec, Type27WriteProtectionTouchesWordsFourAndFive) {
    const std::vector<uint32_t> words = build(27, checked({4}));
    EXPECT_EQ(words[4] & 0xFFFFu, 0xFF00u);
    EXPECT_EQ(words[5] & 0xFFFFu, 0xFF00u);
    EXPECT_EQ(decode(27, words).check[4], 1u);
    EXPECT_EQ((words[1] >> 8) & 0xFFu, ~words[1] & 0xFFu);
}

// Every part's codec must give back the settings it was built from, for every
// check combination and every in-range select value.
TEST(OptionCodec, EveryPartRoundTripsItsSettings) {
    for (const ChipRecord& chip : chipCatalogue()) {
        for (uint32_t pattern = 0; pattern < (1u << 6); ++pattern) {
            OptionSettings settings;
            for (std::size_t k = 0; k < kCheckSlots; ++k) {
                const bool used = std::wcscmp(chip.checks[k].name, kUnusedSlotName) != 0;
                settings.check[k] = used ? (pattern >> (k % 6)) & 1 : 0;
            }
            for (std::size_t k = 0; k < 6; ++k) {
                const uint32_t mask = chip.selects[k].mask;
                const uint32_t fieldMax = mask == 0 ? 0 : mask >> std::countr_zero(mask);
                const uint32_t limit = std::wcscmp(chip.selects[k].name, L"IWDT_DIV") == 0 ? 12
                                       : std::wcscmp(chip.selects[k].name, L"BOOT") == 0   ? 3
                                                                                         : fieldMax;
                settings.select[k] = limit == 0 ? 0 : (pattern * 7 + k) % (limit + 1);
            }
            if (chip.chipType == 16) {
                settings.select[6] = (pattern * 0x4321) & 0xFFFFF;
            }
            const std::vector<uint32_t> words = buildOptionWords(chip, settings, {});
            OptionSettings fresh;
            decodeOptionWords(chip, words, fresh);
            for (std::size_t k = 0; k < kCheckSlots; ++k) {
                if (std::wcscmp(chip.checks[k].name, kUnusedSlotName) != 0) {
                    EXPECT_EQ(fresh.check[k], settings.check[k])
                        << static_cast<int>(chip.chipType) << " check " << k;
                }
            }
            for (std::size_t k = 0; k < kSelectSlots; ++k) {
                if (std::wcscmp(chip.selects[k].name, kUnusedSlotName) != 0) {
                    EXPECT_EQ(fresh.select[k], settings.select[k])
                        << static_cast<int>(chip.chipType) << " select " << k;
                }
            }
        }
    }
}

TEST(OptionCodec, DecodingKeepsCellsTheFamilyDoesNotDefine) {
    OptionSettings settings;
    settings.select[5] = 77;
    settings.check[13] = 9;
    decodeOptionWords(firstOfType(17), defaultOptionWords(firstOfType(17)), settings);
    EXPECT_EQ(settings.select[5], 77u);
    EXPECT_EQ(settings.check[13], 9u);
}

TEST(OptionCodec, ShortInputReadsMissingWordsAsErased) {
    OptionSettings settings;
    decodeOptionWords(firstOfType(1), std::vector<uint32_t>{0xFFFFFEFF}, settings);
    EXPECT_EQ(settings.check[0], 1u);
    EXPECT_EQ(settings.select[3], 12u);
}

TEST(OptionCodec, ContextFormsUseThePartAtTheChipIndex) {
    ZephlinContext context{};
    context.chipIndex = 0;
    context.checkSettings[0] = 1;
    EXPECT_EQ(buildOptionWords(context)[0], 0xFFFFFEFFu);
    context.chipIndex = 99;
    EXPECT_TRUE(buildOptionWords(context).empty());
    decodeOptionWords(context, std::vector<uint32_t>{0});
    EXPECT_EQ(context.checkSettings[0], 1u);
    context.chipIndex = 0;
    decodeOptionWords(context, std::vector<uint32_t>{0xFFFFFFFF});
    EXPECT_EQ(context.checkSettings[0], 0u);
}

} // namespace
} // namespace zephlin
