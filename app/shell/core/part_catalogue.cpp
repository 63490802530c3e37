#include "shell/core/part_catalogue.h"

#include <array>
#include <bit>
#include <cstring>

namespace zephlin {
namespace {

constexpr std::array<std::wstring_view, 6> kSeriesNames{L"Alvar Series", L"Borin Series",
                                                        L"Cedex Series", L"Dovan Series",
                                                        L"Eskel Series", L"Folm Series"};

} // namespace

std::wstring_view seriesName(int bit) {
    return bit >= 0 && bit < static_cast<int>(kSeriesNames.size())
               ? kSeriesNames[static_cast<std::size_t>(bit)]
               : std::wstring_view{};
}

std::optional<int> lowestSeriesBit(uint32_t seriesMask) {
    if (seriesMask == 0) {
        return std::nullopt;
    }
    return std::countr_zero(seriesMask);
}

PartCatalogue::PartCatalogue(const ZephlinBodyInfo* records, int32_t count) {
    if (records == nullptr || count < 1) {
        return;
    }
    records_ = std::span(records, static_cast<std::size_t>(count));
    for (const ZephlinBodyInfo& record : records_) {
        presence_ |= record.seriesMask;
    }
}

std::vector<int> PartCatalogue::seriesBits() const {
    std::vector<int> bits;
    for (int bit = 0; bit < 32; ++bit) {
        if ((presence_ >> bit & 1u) != 0 && !seriesName(bit).empty()) {
            bits.push_back(bit);
        }
    }
    return bits;
}

std::optional<int> PartCatalogue::seriesBitOfName(std::wstring_view name) {
    for (std::size_t bit = 0; bit < kSeriesNames.size(); ++bit) {
        if (kSeriesNames[bit] == name) {
            return static_cast<int>(bit);
        }
    }
    return std::nullopt;
}

std::vector<int32_t> PartCatalogue::partsOfSeries(int bit) const {
    std::vector<int32_t> parts;
    if (bit < 0 || bit > 31) {
        return parts;
    }
    for (int32_t i = 0; i < count(); ++i) {
        if ((part(i).seriesMask & presence_) == (1u << bit)) {
            parts.push_back(i);
        }
    }
    return parts;
}

std::optional<int32_t> PartCatalogue::indexOfPartName(std::wstring_view name) const {
    std::optional<int32_t> found;
    for (int32_t i = 0; i < count(); ++i) {
        if (part(i).partName != nullptr && std::wstring_view(part(i).partName) == name) {
            found = i;
        }
    }
    return found;
}

int32_t PartCatalogue::validIndexOr0(int32_t storedIndex) const {
    return contains(storedIndex) ? storedIndex : 0;
}

void resetPartFields(ZephlinContext& record, const ZephlinBodyInfo& part) {
    record.projectFile[0] = L'\0';
    record.codeFileName[0] = L'\0';
    record.ispCodeName[0] = L'\0';
    std::memset(record.customerString, 0xFF, sizeof record.customerString);
    record.ispCodeSource = 0xFF;
    record.offlineFlags = 0;
    record.serialAddress = part.mainAreaSize >= 16 ? part.mainAreaSize - 16 : 0;
    std::memset(record.serialString, 0xFF, sizeof record.serialString);
    record.serialNumber = 0;
    record.maxCounter = 0;
    record.stepFlags = ZEPHLIN_STEP_DEFAULT;
}

bool takesIspCode(uint32_t chipType) {
    switch (chipType) {
    case 13:
    case 14:
    case 16:
    case 17:
    case 18:
    case 27:
        return false;
    default:
        return true;
    }
}

bool savesProjects(uint32_t chipType) {
    return chipType != 17 && chipType != 18;
}

} // namespace zephlin
