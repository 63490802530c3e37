#include "parts_listing.h"

#include "Zephlin_DLL.h"
#include "utf8.h"

#include <bit>
#include <cstdio>
#include <cwchar>

namespace zephlin::cli {
namespace {

const char* seriesName(uint32_t seriesMask) {
    static constexpr const char* kNames[] = {"Alvar Series", "Borin Series", "Cedex Series",
                                             "Dovan Series", "Eskel Series", "Folm Series"};
    const auto bit = static_cast<std::size_t>(std::countr_zero(seriesMask));
    return bit < std::size(kNames) ? kNames[bit] : "?";
}

} // namespace

bool listParts(std::ostream& out) {
    const ZephlinBodyInfo* records = nullptr;
    const int32_t count = GetBodyInfo(&records);
    if (count <= 0 || records == nullptr) {
        return false;
    }
    out << "index  series        part name           type  main area  second area  option words\n";
    for (int32_t i = 0; i < count; ++i) {
        const ZephlinBodyInfo& part = records[i];
        ZephlinPartDetails details{};
        ZephlinGetPartDetails(i, &details);
        char line[160];
        std::snprintf(line, sizeof line, "%5d  %-12s  %-18s  %4u  %9u  %11u  %12u\n", i,
                      seriesName(part.seriesMask), toUtf8(part.partName).c_str(), part.chipType,
                      part.mainAreaSize, part.secondAreaSize, details.optionWordCount);
        out << line;
    }
    return true;
}

} // namespace zephlin::cli
