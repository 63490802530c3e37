// Engineer.ini: the sheets of Engineer mode, their register items and the
// names of the items' bits. The file is anyone's to edit: every count is
// clamped to what the sheets can show and every size to a bound, so no
// value in it can make the program index or allocate past reason.
#pragma once

#include "common/profile_text.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace zephlin {

inline constexpr int kSheetCount = 4;       // the tabs the window can have
inline constexpr int kItemsPerSheet = 8;    // the rows of a sheet
inline constexpr int kBitsPerRegister = 32; // a bit sheet's item
inline constexpr std::size_t kRegisterBytes = 4;
// Images and item values above this are clamped to it: a register sheet
// describes a few registers, not a memory.
inline constexpr int32_t kMaximumImageBytes = 64 * 1024;
inline constexpr std::size_t kMaximumTextCharacters = 255;

// The layouts of the four sheets: sheets 0 and 1 hold 32-bit registers with
// a check box per bit, sheet 2 byte values and a DUT ID, sheet 3 one block.
enum class SheetKind { Bits, Bytes, Block };
SheetKind kindOfSheet(int sheet);

struct EngineerItem {
    std::wstring name;
    int32_t addressOffset = 0;
    // Bytes of the value: 4 on the bit sheets, else Size from the file,
    // within 0 and kMaximumImageBytes.
    std::size_t size = 0;
    std::array<std::wstring, kBitsPerRegister> bitNames;

    // Whether the item's bytes lie inside an image of that many bytes.
    bool fitsIn(std::size_t imageBytes) const;
};

struct EngineerSheet {
    int index = 0;
    SheetKind kind = SheetKind::Bits;
    std::wstring name;    // tab title and the read file's base name
    int32_t area = 0;     // kept with the sheet; nothing uses it
    std::wstring address; // hexadecimal text, kept likewise
    std::size_t writeBytes = 0;
    std::size_t readBytes = 0;
    std::vector<EngineerItem> items; // the rows in use: at most 8, sheet 3 one
};

struct EngineerConfig {
    int tabCount = 0; // SheetCount, within 0 and 4
    // All four sheets, whether a tab shows them or not.
    std::array<EngineerSheet, kSheetCount> sheets;
};

// The configuration in a profile text, and in a file (a missing or unusable
// file gives no tabs and empty sheets).
EngineerConfig readEngineerConfig(const ProfileText& profile);
EngineerConfig readEngineerConfig(const std::filesystem::path& iniFile);

// "Engineer.ini" in a folder.
std::filesystem::path engineerIniIn(const std::filesystem::path& folder);

} // namespace zephlin
