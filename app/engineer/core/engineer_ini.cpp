#include "engineer/core/engineer_ini.h"

#include "common/profile_file.h"
#include "common/wide_format.h"

#include <algorithm>

namespace zephlin {
namespace {

std::size_t clampedSize(int32_t value) {
    return static_cast<std::size_t>(std::clamp(value, 0, kMaximumImageBytes));
}

// "Item%02d_<what>".
std::wstring itemKey(int item, std::wstring_view what) {
    return L"Item" + decimal(static_cast<uint64_t>(item), 2) + L"_" + std::wstring(what);
}

EngineerItem readItem(const ProfileText& profile, std::wstring_view section, int item,
                      SheetKind kind) {
    EngineerItem record;
    record.name = profile.readString(section, itemKey(item, L"Name"), L"", kMaximumTextCharacters);
    record.addressOffset = profile.readInt(section, itemKey(item, L"AddrOffset"), 0);
    record.size = kind == SheetKind::Bits
                      ? kRegisterBytes
                      : clampedSize(profile.readInt(section, itemKey(item, L"Size"), 0));
    if (kind == SheetKind::Bits) {
        for (int bit = 0; bit < kBitsPerRegister; ++bit) {
            record.bitNames[static_cast<std::size_t>(bit)] = profile.readString(
                section, itemKey(item, L"Bit" + decimal(static_cast<uint64_t>(bit), 2)), L"",
                kMaximumTextCharacters);
        }
    }
    return record;
}

EngineerSheet readSheet(const ProfileText& profile, int index) {
    const std::wstring section = L"Sheet" + decimal(static_cast<uint64_t>(index));
    EngineerSheet sheet;
    sheet.index = index;
    sheet.kind = kindOfSheet(index);
    sheet.name = profile.readString(section, L"Name", L"", kMaximumTextCharacters);
    sheet.area = profile.readInt(section, L"Area", 0);
    sheet.address = profile.readString(section, L"Address", L"", kMaximumTextCharacters);
    sheet.writeBytes = clampedSize(profile.readInt(section, L"WriteOfBytes", 0));
    sheet.readBytes = clampedSize(profile.readInt(section, L"ReadOfBytes", 0));
    const int rows = sheet.kind == SheetKind::Block ? 1 : kItemsPerSheet;
    const int count = std::clamp(profile.readInt(section, L"ItemCount", 0), 0, rows);
    for (int item = 0; item < count; ++item) {
        sheet.items.push_back(readItem(profile, section, item, sheet.kind));
    }
    return sheet;
}

} // namespace

SheetKind kindOfSheet(int sheet) {
    switch (sheet) {
    case 0:
    case 1:
        return SheetKind::Bits;
    case 2:
        return SheetKind::Bytes;
    default:
        return SheetKind::Block;
    }
}

bool EngineerItem::fitsIn(std::size_t imageBytes) const {
    return addressOffset >= 0 &&
           static_cast<uint64_t>(addressOffset) + size <= static_cast<uint64_t>(imageBytes);
}

EngineerConfig readEngineerConfig(const ProfileText& profile) {
    EngineerConfig config;
    config.tabCount = std::clamp(profile.readInt(L"Main", L"SheetCount", 0), 0, kSheetCount);
    for (int index = 0; index < kSheetCount; ++index) {
        config.sheets[static_cast<std::size_t>(index)] = readSheet(profile, index);
    }
    return config;
}

EngineerConfig readEngineerConfig(const std::filesystem::path& iniFile) {
    return readEngineerConfig(ProfileFile(iniFile).read().value_or(ProfileText()));
}

std::filesystem::path engineerIniIn(const std::filesystem::path& folder) {
    return folder / "Engineer.ini";
}

} // namespace zephlin
