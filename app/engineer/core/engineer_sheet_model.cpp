#include "engineer/core/engineer_sheet_model.h"

#include <algorithm>

namespace zephlin {
namespace {

constexpr uint8_t kErased = 0xFF;
constexpr std::size_t kDutIdBytes = 5;

// The value byte and the bit in it of register bit b.
struct BitPlace {
    std::size_t byte;
    unsigned shift;
};

BitPlace placeOf(int b) {
    const auto bit = static_cast<unsigned>(b);
    return {kRegisterBytes - 1 - bit / 8, bit % 8};
}

bool validBit(int b) {
    return b >= 0 && b < kBitsPerRegister;
}

bool bitOf(const std::vector<uint8_t>& value, int b) {
    const BitPlace place = placeOf(b);
    return place.byte < value.size() && ((value[place.byte] >> place.shift) & 1U) != 0;
}

} // namespace

EngineerSheetModel::EngineerSheetModel(EngineerSheet sheet) : sheet_(std::move(sheet)) {
    for (const EngineerItem& item : sheet_.items) {
        writeValues_.emplace_back(item.size, uint8_t{0});
        readValues_.emplace_back(item.size, uint8_t{0});
    }
}

std::wstring EngineerSheetModel::label(std::size_t i) const {
    return item(i).name + L" : ";
}

const std::vector<uint8_t>& EngineerSheetModel::readValue(std::size_t i) const {
    return kind() == SheetKind::Block ? writeValues_.at(i) : readValues_.at(i);
}

void EngineerSheetModel::setWriteValue(std::size_t i, std::span<const uint8_t> bytes) {
    std::vector<uint8_t>& value = writeValues_.at(i);
    std::copy_n(bytes.begin(), std::min(bytes.size(), value.size()), value.begin());
}

bool EngineerSheetModel::bit(std::size_t i, int b) const {
    return validBit(b) && bitOf(writeValues_.at(i), b);
}

bool EngineerSheetModel::bitEnabled(std::size_t i, int b) const {
    return kind() == SheetKind::Bits && validBit(b) &&
           !item(i).bitNames[static_cast<std::size_t>(b)].empty();
}

void EngineerSheetModel::setBit(std::size_t i, int b, bool set) {
    std::vector<uint8_t>& value = writeValues_.at(i);
    if (!validBit(b) || placeOf(b).byte >= value.size()) {
        return;
    }
    const BitPlace place = placeOf(b);
    const auto mask = static_cast<uint8_t>(1U << place.shift);
    value[place.byte] =
        static_cast<uint8_t>(set ? value[place.byte] | mask : value[place.byte] & ~mask);
}

std::vector<uint8_t> EngineerSheetModel::writeImage() const {
    std::vector<uint8_t> image(sheet_.writeBytes, kErased);
    for (std::size_t i = 0; i < itemCount(); ++i) {
        const EngineerItem& entry = item(i);
        if (!entry.fitsIn(image.size())) {
            continue;
        }
        const std::vector<uint8_t>& value = writeValues_[i];
        const auto at = image.begin() + entry.addressOffset;
        if (kind() == SheetKind::Bits) {
            std::reverse_copy(value.begin(), value.end(), at);
        } else {
            std::copy(value.begin(), value.end(), at);
        }
    }
    return image;
}

std::vector<uint8_t> EngineerSheetModel::read() {
    std::vector<uint8_t> image(sheet_.readBytes, kErased);
    readDone_ = true;
    if (kind() == SheetKind::Bytes) {
        dutStatus_ = L"ID pass";
        dutId_.assign(kDutIdBytes, kErased);
    }
    for (std::size_t i = 0; i < itemCount(); ++i) {
        const EngineerItem& entry = item(i);
        if (!entry.fitsIn(image.size())) {
            continue;
        }
        const auto from = image.begin() + entry.addressOffset;
        const auto to = from + static_cast<std::ptrdiff_t>(entry.size);
        std::vector<uint8_t>& shown = kind() == SheetKind::Block ? writeValues_[i] : readValues_[i];
        if (kind() == SheetKind::Bits) {
            std::reverse_copy(from, to, shown.begin());
        } else {
            std::copy(from, to, shown.begin());
        }
    }
    return image;
}

void EngineerSheetModel::sync() {
    if (kind() == SheetKind::Block) {
        return;
    }
    for (std::size_t i = 0; i < itemCount(); ++i) {
        std::vector<uint8_t>& value = writeValues_[i];
        const std::vector<uint8_t>& source = readValues_[i];
        for (std::size_t j = 0; j < value.size(); ++j) {
            value[j] = j < source.size() ? source[j] : kErased;
        }
    }
}

std::vector<std::size_t> EngineerSheetModel::differingBytes(std::size_t i) const {
    std::vector<std::size_t> differing;
    if (kind() == SheetKind::Block) {
        return differing;
    }
    const std::vector<uint8_t>& written = writeValues_.at(i);
    const std::vector<uint8_t>& readBack = readValues_.at(i);
    const std::size_t length = std::min(written.size(), readBack.size());
    for (std::size_t j = 0; j < length; ++j) {
        if (written[j] != readBack[j]) {
            differing.push_back(j);
        }
    }
    return differing;
}

bool EngineerSheetModel::connectorMarked(std::size_t i, int b) const {
    return readDone_ && bitEnabled(i, b) &&
           bitOf(writeValues_.at(i), b) != bitOf(readValues_.at(i), b);
}

} // namespace zephlin
