#include "cli/parts_listing.h"

#include "Zephlin_DLL.h"
#include "shell/core/part_catalogue.h"
#include "support/utf8.h"

#include <cstdio>

namespace zephlin::cli {
namespace {

std::string seriesText(uint32_t seriesMask) {
    const auto bit = lowestSeriesBit(seriesMask);
    const std::wstring_view name = bit ? seriesName(*bit) : std::wstring_view{};
    return name.empty() ? "?" : utf8::fromWide(name);
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
        details.structSize = sizeof details;
        ZephlinGetPartDetails(i, &details);
        char line[160];
        std::snprintf(line, sizeof line, "%5d  %-12s  %-18s  %4u  %9u  %11u  %12u\n", i,
                      seriesText(part.seriesMask).c_str(), utf8::fromWide(part.partName).c_str(),
                      part.chipType, part.mainAreaSize, part.secondAreaSize,
                      details.optionWordCount);
        out << line;
    }
    return true;
}

} // namespace zephlin::cli
