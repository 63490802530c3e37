// The library's body-info records as the main window lists them: series
// names, the parts of a series, and the per-part rules of the window.
#pragma once

#include "Zephlin_DLL.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace zephlin {

// The name of series bit n ("Alvar Series" for bit 0 to "Folm Series" for
// bit 5); empty for bits without a name.
std::wstring_view seriesName(int bit);

class PartCatalogue {
public:
    PartCatalogue() = default;
    // The records returned by GetBodyInfo; a null table or a count below 1
    // gives an empty catalogue.
    PartCatalogue(const ZephlinBodyInfo* records, int32_t count);

    int32_t count() const { return static_cast<int32_t>(records_.size()); }
    bool contains(int32_t chipIndex) const { return chipIndex >= 0 && chipIndex < count(); }
    const ZephlinBodyInfo& part(int32_t chipIndex) const {
        return records_[static_cast<std::size_t>(chipIndex)];
    }

    // OR of the series masks of all records.
    uint32_t seriesPresenceMask() const { return presence_; }
    // The named series present in the catalogue, by bit, lowest first.
    std::vector<int> seriesBits() const;
    // The bit of a series name, if it names a series.
    static std::optional<int> seriesBitOfName(std::wstring_view name);
    // The parts whose series mask, within the presence mask, is exactly bit
    // n, in catalogue order.
    std::vector<int32_t> partsOfSeries(int bit) const;
    // The chip index of a part name (the last match wins; names are unique).
    std::optional<int32_t> indexOfPartName(std::wstring_view name) const;
    // A stored chip index if it names a part, else part 0.
    int32_t validIndexOr0(int32_t storedIndex) const;

private:
    std::span<const ZephlinBodyInfo> records_;
    uint32_t presence_ = 0;
};

// The lowest set bit of a series mask, if any.
std::optional<int> lowestSeriesBit(uint32_t seriesMask);

// Resets the record's per-part fields for a newly selected part: project,
// code and ISP file names empty, customer and serial strings 0xFF, ISP code
// source 0xFF, off-line flags, serial number and counter 0, serial address
// 16 bytes below the end of the main area, step flags 0x009F.
void resetPartFields(ZephlinContext& record, const ZephlinBodyInfo& part);

// Chip types that take no ISP code: 13, 14, 16, 17, 18 and 27.
bool takesIspCode(uint32_t chipType);
// Chip types whose buffers cannot be saved as a project: 17 and 18.
bool savesProjects(uint32_t chipType);

} // namespace zephlin
