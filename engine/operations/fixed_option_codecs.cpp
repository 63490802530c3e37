// The option-word codecs with fixed bit patterns. They work on the check
// settings by slot position; the descriptors only serve for display.
#include "operations/option_codec_rules.h"

namespace zephlin::codec {
namespace {

constexpr uint32_t kUnlockedPattern = 0x5AA5;

// ---- Chip type 13 (32 words) ------------------------------------------------

void buildType13(const OptionSettings& s, WordsUnderConstruction& w) {
    w[4] &= 0x0000FF00u;
    w.clear(5, 0xFF);
    w.clear(6, 0xFFFF);
    w.clear(28, 0x7);
    if (s.isChecked(0)) {
        w.set(4, 0x83);
        w.set(5, 0x7C);
        w.set(6, 0xFF00);
        w[0] = 0x5555;
        w[8] = 0x5555;
    } else {
        w.set(4, 0x0C);
        w.set(5, 0xF3);
        w.set(6, kUnlockedPattern);
    }
    w.set(4, s.isChecked(1) ? 0x30000u : 0xC0000u);
    w.set(4, s.isChecked(2) ? 0x3000000u : 0xC000000u);
    for (unsigned k = 0; k < 3; ++k) {
        if (s.isChecked(3 + k)) {
            w.set(28, bit(k));
        }
    }
    w[15] = ~w[12];
    w[31] = ~w[28];
}

void decodeType13(const WordsToDecode& w, OptionSettings& s) {
    const bool unlocked = !w.isClear(4, bit(2) | bit(3)) && w.lowHalf(0) == 0 && w.lowHalf(8) == 0;
    s.check[0] = unlocked ? 0 : 1;
    s.check[1] = w.isClear(4, bit(18) | bit(19)) ? 1 : 0;
    s.check[2] = w.isClear(4, bit(26) | bit(27)) ? 1 : 0;
    for (unsigned k = 0; k < 3; ++k) {
        s.check[3 + k] = w.isClear(28, bit(k)) ? 0 : 1;
    }
}

// ---- Chip type 14 -------------------------------------------------------------

void buildType14(const OptionSettings& s, WordsUnderConstruction& w) {
    w.setLowHalf(0, s.isChecked(0) ? 0x00FFu : kUnlockedPattern);
    if (!s.isChecked(1)) {
        w.clear(0, bit(16));
    }
    if (s.isChecked(2)) {
        w.clear(0, bit(17));
    }
    if (s.isChecked(3)) {
        w.clear(0, bit(18));
    }
    w.complementByte(0, 2, 3);
}

// Read protection is off only while the low half holds the unlocked pattern;
// the locked value 0x00FF must read back as locked.
bool isReadProtected(const WordsToDecode& w) {
    return (w.lowHalf(0) & kUnlockedPattern) != kUnlockedPattern;
}

void decodeType14(const WordsToDecode& w, OptionSettings& s) {
    s.check[0] = isReadProtected(w) ? 1 : 0;
    s.check[1] = w.isClear(0, bit(16)) ? 0 : 1;
    s.check[2] = w.isClear(0, bit(17)) ? 1 : 0;
    s.check[3] = w.isClear(0, bit(18)) ? 1 : 0;
}

// ---- Chip type 16 -------------------------------------------------------------

constexpr uint32_t kWatchdogCountMask = 0xFFFFF;

void buildType16(const OptionSettings& s, WordsUnderConstruction& w) {
    w.clearWhen(s.isChecked(0), 0, bit(0));
    w.clearWhen(s.isChecked(1), 1, bit(28));
    w.clearWhen(s.isChecked(2), 1, bit(29));
    w.clearWhen(s.isChecked(3), 1, bit(31));
    w[1] = (w[1] & ~kWatchdogCountMask) | (s.select[6] & kWatchdogCountMask);
}

void decodeType16(const WordsToDecode& w, OptionSettings& s) {
    s.check[0] = w.isClear(0, bit(0)) ? 1 : 0;
    s.check[1] = w.isClear(1, bit(28)) ? 1 : 0;
    s.check[2] = w.isClear(1, bit(29)) ? 1 : 0;
    s.check[3] = w.isClear(1, bit(31)) ? 1 : 0;
    s.select[6] = w[1] & kWatchdogCountMask;
}

// ---- Chip types 17, 18 and 27 ------------------------------------------------

void buildReadProtection(const OptionSettings& s, WordsUnderConstruction& w) {
    w.setLowHalf(0, s.isChecked(0) ? 0x807Fu : kUnlockedPattern);
}

// The watchdog and stop-reset boxes of types 17 and 18, in word 0.
void buildWatchdogInWord0(const OptionSettings& s, WordsUnderConstruction& w) {
    if (!s.isChecked(1)) {
        w.clear(0, bit(16));
    }
    if (s.isChecked(2)) {
        w.clear(0, bit(17));
    }
}

void decodeWatchdogInWord0(const WordsToDecode& w, OptionSettings& s) {
    s.check[0] = isReadProtected(w) ? 1 : 0;
    s.check[1] = w.isClear(0, bit(16)) ? 0 : 1;
    s.check[2] = w.isClear(0, bit(17)) ? 1 : 0;
}

void buildType17(const OptionSettings& s, WordsUnderConstruction& w) {
    buildReadProtection(s, w);
    buildWatchdogInWord0(s, w);
    if (s.isChecked(3)) {
        w.setLowHalf(2, 0xFF00);
    }
    w.complementByte(0, 2, 3);
}

void decodeType17(const WordsToDecode& w, OptionSettings& s) {
    decodeWatchdogInWord0(w, s);
    s.check[3] = w.lowHalf(2) != 0x00FF ? 1 : 0;
}

constexpr uint32_t kBootField = bit(20) | bit(22) | bit(23);

void buildType18(const OptionSettings& s, WordsUnderConstruction& w) {
    buildReadProtection(s, w);
    buildWatchdogInWord0(s, w);
    if (s.isChecked(3)) {
        w.clear(0, bit(21));
    }
    if (s.isChecked(4)) {
        w.setLowHalf(2, 0xFF00);
    }
    constexpr uint32_t kBootPatterns[] = {0x500000, 0x100000, 0xD00000, 0xC00000};
    if (s.select[0] < std::size(kBootPatterns)) {
        w.clear(0, kBootField);
        w.set(0, kBootPatterns[s.select[0]]);
    }
    w.complementByte(0, 2, 3);
}

uint32_t decodeBootSource(uint32_t field) {
    switch (field) {
    case 0x400000:
    case 0x500000:
        return 0;
    case 0x900000:
    case 0xD00000:
        return 2;
    case 0x800000:
    case 0xC00000:
        return 3;
    default: // 0 and 0x100000
        return 1;
    }
}

void decodeType18(const WordsToDecode& w, OptionSettings& s) {
    decodeWatchdogInWord0(w, s);
    s.check[3] = w.isClear(0, bit(21)) ? 1 : 0;
    s.check[4] = (w[2] & 0xFF) != 0xFF ? 1 : 0;
    s.select[0] = decodeBootSource(w[0] & kBootField);
}

void buildType27(const ChipRecord& chip, const OptionSettings& s, WordsUnderConstruction& w) {
    buildReadProtection(s, w);
    if (!s.isChecked(1)) {
        w.clear(1, bit(0));
    }
    if (s.isChecked(2)) {
        w.clear(1, bit(1));
    }
    if (s.isChecked(3)) {
        w.clear(1, bit(2));
    }
    if (s.isChecked(4)) {
        w.setLowHalf(4, 0xFF00);
        w.setLowHalf(5, 0xFF00);
    }
    buildDescriptorSelects(chip, s, w);
    w.complementByte(1, 0, 1);
}

void decodeType27(const ChipRecord& chip, const WordsToDecode& w, OptionSettings& s) {
    s.check[0] = isReadProtected(w) ? 1 : 0;
    s.check[1] = w.isClear(1, bit(0)) ? 0 : 1;
    s.check[2] = w.isClear(1, bit(1)) ? 1 : 0;
    s.check[3] = w.isClear(1, bit(2)) ? 1 : 0;
    const bool writable = w.lowHalf(4) == 0x00FF && w.lowHalf(5) == 0x00FF;
    s.check[4] = writable ? 0 : 1;
    decodeDescriptorSelects(chip, w, s);
}

} // namespace

bool buildFixedPattern(const ChipRecord& chip, const OptionSettings& settings,
                       WordsUnderConstruction& words) {
    switch (chip.chipType) {
    case 13:
        buildType13(settings, words);
        return true;
    case 14:
        buildType14(settings, words);
        return true;
    case 16:
        buildType16(settings, words);
        return true;
    case 17:
        buildType17(settings, words);
        return true;
    case 18:
        buildType18(settings, words);
        return true;
    case 27:
        buildType27(chip, settings, words);
        return true;
    default:
        return false;
    }
}

bool decodeFixedPattern(const ChipRecord& chip, const WordsToDecode& words,
                        OptionSettings& settings) {
    switch (chip.chipType) {
    case 13:
        decodeType13(words, settings);
        return true;
    case 14:
        decodeType14(words, settings);
        return true;
    case 16:
        decodeType16(words, settings);
        return true;
    case 17:
        decodeType17(words, settings);
        return true;
    case 18:
        decodeType18(words, settings);
        return true;
    case 27:
        decodeType27(chip, words, settings);
        return true;
    default:
        return false;
    }
}

} // namespace zephlin::codec
