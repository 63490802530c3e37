// ReadOffLineModeInfo on an arbitrary 256-byte information block, served by
// the writer simulator as its answer to the information read. The first input
// byte picks the part the record names; the rest is the block (padded with
// 0xFF, as an erased store reads).
#include "Zephlin_DLL.h"
#include "catalogue/chip_catalogue.h"
#include "fuzz_support.h"
#include "fuzz_writer.h"
#include "link/writer_connection.h"
#include "project/offline_block.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zephlin;
    using fuzz::require;
    if (size == 0) {
        return 0;
    }
    std::array<uint8_t, project::kOfflineInfoBytes> block;
    block.fill(0xFF);
    std::copy_n(data + 1, std::min(size - 1, block.size()), block.begin());

    const int32_t chipIndex = static_cast<int32_t>(data[0] % kCatalogueSize);
    sim::WriterSimulator& writer = fuzz::writerServing(*findChip(chipIndex));
    // The first feature read answers the version query, the second one is the
    // information block.
    int featureReads = 0;
    writer.rewriteReplies([&](sim::ReportKind kind, std::span<uint8_t> payload) {
        if (kind == sim::ReportKind::FeatureRead && ++featureReads == 2) {
            std::copy(block.begin(), block.end(), payload.begin());
        }
    });

    uint16_t result = 0;
    auto context = std::make_unique<ZephlinContext>();
    context->result = &result;
    context->chipIndex = chipIndex;
    const uint16_t code = ReadOffLineModeInfo(context.get());
    require(code == result, "the result word holds the returned code");
    require(code == ZEPHLIN_RESULT_PASS || code == ZEPHLIN_RESULT_FAIL ||
                code == ZEPHLIN_RESULT_CHECKSUM_ERROR || code == ZEPHLIN_RESULT_INFO_EMPTY,
            "a block gives pass, fail, checksum error or empty");
    require(findChip(context->chipIndex) != nullptr, "the record still names a catalogue part");
    require(!writerLink().isOpen(), "the export closes the writer");
    return 0;
}
