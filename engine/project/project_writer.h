// Building a project file from an operation context: the images as they are,
// then the footer of the part's variant. Pure functions: the export adds the
// save dialog, the random keys, the clock and the file.
#pragma once

#include "Zephlin_DLL.h"
#include "catalogue/chip_catalogue.h"
#include "project/project_footer_layout.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace zephlin::project {

// What a save draws and reads from the clock, in file order.
struct SaveStamp {
    std::array<uint8_t, footer::kRandomKeyBytes> randomKey{};
    std::array<uint8_t, 2> atpgKey{};
    std::array<uint8_t, ZEPHLIN_SAVE_TIME_BYTES> saveTime{}; // year - 2000, month, day, h, m, s
};

// Everything of a context that goes into its project file.
struct ProjectContent {
    const ChipRecord* chip = nullptr;
    const FooterVariant* variant = nullptr;
    std::span<const uint8_t> code;
    std::span<const uint8_t> data; // empty when the data size is 0
    std::string codeFileName;      // UTF-8, at most 255 bytes
    std::string ispCodeName;       // UTF-8, at most 255 bytes
    std::vector<uint32_t> optionWords;
    std::array<uint8_t, footer::kCustomerStringBytes> customerString{};
    uint8_t stepFlags = 0;
    uint8_t ispCodeSource = 0;
};

// The content of a context, or nothing when it cannot make a valid file: an
// unknown chip index or project version, an image pointer missing for a
// non-zero size, option words that do not fit the option block. Names longer
// than 255 bytes in UTF-8 are cut after their last whole character.
std::optional<ProjectContent> projectContentOf(const ZephlinContext& context);

// The E-byte option block: 0xFF, the option words from offset 0, the customer
// string, the random key and the customer ID. Throws std::length_error when
// the words do not fit before the customer string.
std::vector<uint8_t>
buildOptionBlock(std::span<const uint32_t> optionWords,
                 std::span<const uint8_t, footer::kCustomerStringBytes> customerString,
                 std::span<const uint8_t, footer::kRandomKeyBytes> randomKey,
                 std::size_t blockBytes);

// Throws std::length_error for a name longer than 255 bytes or option words
// that do not fit (projectContentOf never makes such content).
std::vector<uint8_t> buildProjectFooter(const ProjectContent& content, const SaveStamp& stamp);

} // namespace zephlin::project
