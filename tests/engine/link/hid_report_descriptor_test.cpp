#include "link/hid_report_descriptor.h"

#include <gtest/gtest.h>

namespace zephlin {
namespace {

// A vendor-defined device like the writer: 64-byte input and output reports
// and a 1024-byte feature report, no report IDs.
const std::vector<uint8_t> kWriterLike{
    0x06, 0x00, 0xFF,                         // usage page (vendor)
    0x09, 0x01,                               // usage
    0xA1, 0x01,                               // collection (application)
    0x15, 0x00, 0x26, 0xFF, 0x00, 0x75, 0x08, // report size 8
    0x95, 0x40,                               // report count 64
    0x09, 0x01, 0x81, 0x02,                   // input
    0x09, 0x01, 0x91, 0x02,                   // output
    0x96, 0x00, 0x04,                         // report count 1024
    0x09, 0x01, 0xB1, 0x02,                   // feature
    0xC0,
};

TEST(HidReportDescriptor, GivesTheReportLengthsWithTheIdByte) {
    const HidCapabilities caps = capabilitiesFromReportDescriptor(kWriterLike);
    EXPECT_EQ(caps.inputReportLength, 65u);
    EXPECT_EQ(caps.outputReportLength, 65u);
    EXPECT_EQ(caps.featureReportLength, 1025u);
}

TEST(HidReportDescriptor, TakesTheLongestReportAmongSeveralIds) {
    const std::vector<uint8_t> descriptor{
        0x85, 0x01, 0x75, 0x08, 0x95, 0x10, 0x81, 0x02, // ID 1: 16 bytes in
        0xA4,                                           // push
        0x85, 0x02, 0x95, 0x20, 0x81, 0x02,             // ID 2: 32 bytes in
        0xB4,                                           // pop: ID 1, count 16
        0x81, 0x02,                                     // ID 1: 16 more bytes in
    };
    EXPECT_EQ(capabilitiesFromReportDescriptor(descriptor).inputReportLength, 33u);
}

TEST(HidReportDescriptor, StopsAtATruncatedItem) {
    std::vector<uint8_t> truncated(kWriterLike.begin(), kWriterLike.begin() + 26);
    truncated.push_back(0x96); // report count with its two data bytes missing
    const HidCapabilities caps = capabilitiesFromReportDescriptor(truncated);
    EXPECT_EQ(caps.inputReportLength, 65u);
    EXPECT_EQ(caps.featureReportLength, 0u);
    EXPECT_EQ(capabilitiesFromReportDescriptor({}).inputReportLength, 0u);
}

// Sizes a device gives are not trusted: reports too long to sum stay long
// instead of wrapping round to a short length.
TEST(HidReportDescriptor, HugeReportsDoNotWrapRoundToShortOnes) {
    const std::vector<uint8_t> huge{
        0x77, 0xFF, 0xFF, 0xFF, 0xFF, // report size 2^32 - 1 bits
        0x97, 0xFF, 0xFF, 0xFF, 0xFF, // report count 2^32 - 1
        0x81, 0x02, 0x81, 0x02,       // two such inputs
    };
    EXPECT_GT(capabilitiesFromReportDescriptor(huge).inputReportLength, 1ull << 60);
}

} // namespace
} // namespace zephlin
