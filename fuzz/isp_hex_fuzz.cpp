// The library's ISP HEX converter on arbitrary text (a user's ISP code file).
#include "fuzz_support.h"
#include "project/isp_hex_image.h"

#include <cstddef>
#include <cstdint>

namespace {

// The largest area an ISP image can go to is far smaller; a larger limit only
// lets the fuzzer reach the growth of the image.
constexpr std::size_t kLimit = 1u << 20;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto converted = zephlin::project::ispImageFromHex({data, size}, kLimit);
    zephlin::fuzz::require(!converted.image || converted.image->size() <= kLimit,
                           "the image stays within its limit");
    zephlin::fuzz::require(!converted.damaged || !converted.image, "a damaged file gives no image");
    zephlin::fuzz::require(!converted.damaged || converted.damaged->line >= 1,
                           "a damaged record names its line");
    return 0;
}
