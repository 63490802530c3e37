// Load File's Intel HEX converter on arbitrary text (a customer's code file).
#include "buffer/core/intel_hex_converter.h"
#include "fuzz_support.h"

#include <cstddef>
#include <cstdint>

namespace {

// More than the largest area of any part.
constexpr uint64_t kCapacity = 1u << 20;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using zephlin::HexConversionStatus;
    const zephlin::HexConversion conversion = zephlin::convertIntelHex({data, size}, kCapacity);
    zephlin::fuzz::require(conversion.image.size() <= kCapacity,
                           "the image stays within the capacity");
    zephlin::fuzz::require(conversion.status == HexConversionStatus::Converted ||
                               conversion.image.empty(),
                           "a refused or empty conversion gives no image");
    zephlin::fuzz::require((conversion.status == HexConversionStatus::Damaged) ==
                               conversion.damaged.has_value(),
                           "a damaged file, and only one, names its damaged record");
    return 0;
}
