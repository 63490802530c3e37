#include "link/hid_report_descriptor.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <utility>
#include <vector>

namespace zephlin {
namespace {

enum class ItemType : uint8_t { Main = 0, Global = 1, Local = 2 };

constexpr uint8_t kInputTag = 0x8;
constexpr uint8_t kOutputTag = 0x9;
constexpr uint8_t kFeatureTag = 0xB;
constexpr uint8_t kReportSizeTag = 0x7;
constexpr uint8_t kReportIdTag = 0x8;
constexpr uint8_t kReportCountTag = 0x9;
constexpr uint8_t kPushTag = 0xA;
constexpr uint8_t kPopTag = 0xB;
constexpr uint8_t kLongItemPrefix = 0xFE;

struct Globals {
    uint32_t reportSize = 0;
    uint32_t reportCount = 0;
    uint32_t reportId = 0;
};

uint32_t itemValue(std::span<const uint8_t> data) {
    uint32_t value = 0;
    for (std::size_t i = data.size(); i-- > 0;) {
        value = (value << 8) | data[i];
    }
    return value;
}

} // namespace

HidCapabilities capabilitiesFromReportDescriptor(std::span<const uint8_t> descriptor) {
    Globals globals;
    std::vector<Globals> stack;
    // Bits per (main tag, report ID).
    std::map<std::pair<uint8_t, uint32_t>, uint64_t> bits;

    std::size_t at = 0;
    while (at < descriptor.size()) {
        const uint8_t prefix = descriptor[at];
        if (prefix == kLongItemPrefix) {
            if (descriptor.size() - at < 3) {
                break;
            }
            at += 3 + std::size_t{descriptor[at + 1]};
            continue;
        }
        const std::size_t size = (prefix & 0x3) == 3 ? 4 : (prefix & 0x3);
        if (descriptor.size() - at - 1 < size) {
            break; // a truncated item ends the descriptor
        }
        const uint32_t value = itemValue(descriptor.subspan(at + 1, size));
        const auto type = static_cast<ItemType>((prefix >> 2) & 0x3);
        const uint8_t tag = prefix >> 4;
        at += 1 + size;

        if (type == ItemType::Global) {
            switch (tag) {
            case kReportSizeTag:
                globals.reportSize = value;
                break;
            case kReportIdTag:
                globals.reportId = value;
                break;
            case kReportCountTag:
                globals.reportCount = value;
                break;
            case kPushTag:
                stack.push_back(globals);
                break;
            case kPopTag:
                if (!stack.empty()) {
                    globals = stack.back();
                    stack.pop_back();
                }
                break;
            default:
                break;
            }
        } else if (type == ItemType::Main &&
                   (tag == kInputTag || tag == kOutputTag || tag == kFeatureTag)) {
            // Sizes from a device are not trusted: the sum stops at its top
            // instead of wrapping round to a short report.
            uint64_t& total = bits[{tag, globals.reportId}];
            const uint64_t added = uint64_t{globals.reportSize} * uint64_t{globals.reportCount};
            total = added > UINT64_MAX - total ? UINT64_MAX : total + added;
        }
    }

    auto lengthOf = [&](uint8_t tag) -> std::size_t {
        uint64_t longest = 0;
        for (const auto& [key, count] : bits) {
            if (key.first == tag) {
                longest = std::max(longest, count);
            }
        }
        return longest == 0 ? 0 : static_cast<std::size_t>(longest / 8 + (longest % 8 != 0) + 1);
    };
    return HidCapabilities{
        .inputReportLength = lengthOf(kInputTag),
        .outputReportLength = lengthOf(kOutputTag),
        .featureReportLength = lengthOf(kFeatureTag),
    };
}

} // namespace zephlin
