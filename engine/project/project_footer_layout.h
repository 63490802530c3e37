// The project file's footer: what its three variants hold and where. The file
// is the code image, the data image and the footer; every number in the
// footer is most significant byte first, except the option words inside its
// option block. Offsets are from the footer's first byte; the last fields are
// addressed from its end, as a reader finds them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace zephlin::project {

struct FooterVariant {
    uint16_t projectVersion;
    std::string_view magic;       // 16 characters, no terminator
    std::size_t dataFieldBytes;   // V: data size and data checksum
    std::size_t optionBlockBytes; // E
};

// Nothing for a version word the library does not know.
const FooterVariant* footerVariantOf(uint16_t projectVersion);

// V as a reader takes it from a stored version word: 0 unless the variant
// carries data fields.
std::size_t dataFieldBytesOf(uint16_t projectVersion);

namespace footer {

inline constexpr std::size_t kMagicBytes = 16;
inline constexpr std::size_t kNameLengthOffset = 16;
inline constexpr std::size_t kNameOffset = 17;
// Fixed bytes of every variant besides L, V, E and M.
inline constexpr std::size_t kFixedBytes = 51;
// The fields addressed from the end: ATPG key to footer length.
inline constexpr std::size_t kTailBytes = 17;
inline constexpr std::size_t kMaxNameBytes = 255;

// Distances from the footer's end.
inline constexpr std::size_t kAtpgKeyFromEnd = 17;
inline constexpr std::size_t kSaveTimeFromEnd = 15;
inline constexpr std::size_t kProjectVersionFromEnd = 9;
inline constexpr std::size_t kLibraryVersionFromEnd = 7;
inline constexpr std::size_t kToolIdFromEnd = 5;
inline constexpr std::size_t kChecksumFromEnd = 4;
inline constexpr std::size_t kLengthFromEnd = 2;

inline constexpr uint8_t kToolId = 0x10;
// Tool IDs of other tools whose project files load as they are.
inline constexpr uint8_t kOtherToolIds[] = {0x16, 0x19};

// Inside the option block of E bytes: the option words from offset 0, then
// these fields at distances from the block's end; every other byte is 0xFF.
inline constexpr std::size_t kCustomerStringFromBlockEnd = 48;
inline constexpr std::size_t kRandomKeyFromBlockEnd = 16;
inline constexpr std::size_t kCustomerIdFromBlockEnd = 12;
inline constexpr std::size_t kCustomerStringBytes = 16;
inline constexpr std::size_t kRandomKeyBytes = 4;
inline constexpr uint8_t kCustomerId = 0x05;

} // namespace footer

// F = 51 + L + V + E + M.
inline std::size_t footerLength(const FooterVariant& variant, std::size_t codeNameBytes,
                                std::size_t ispNameBytes) {
    return footer::kFixedBytes + codeNameBytes + variant.dataFieldBytes + variant.optionBlockBytes +
           ispNameBytes;
}

} // namespace zephlin::project
