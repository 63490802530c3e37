// Load File's Intel HEX converter: a file's data records become one byte
// image that starts at the lowest address any data record names. The file's
// absolute addresses are not kept (data linked at 0x08000000 and data linked
// at 0 give the same image); gaps between records are 0xFF and later records
// overwrite earlier ones. Records are read by the shared reader
// (support/hex_records.h): a damaged record refuses the whole file, since an
// image cut short there would be programmed as if it were complete; an
// end-of-file record or one of an unknown type ends the conversion after
// itself, start-address records are ignored.
#pragma once

#include "support/hex_records.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace zephlin {

enum class HexConversionStatus {
    Converted, // the image holds the file's data
    NoData,    // the file holds no data record before its end; the image is empty
    TooLarge,  // the records span more than the capacity; the image is empty
    Damaged    // a record before the file's end is damaged; the image is empty
};

struct HexConversion {
    HexConversionStatus status = HexConversionStatus::NoData;
    std::vector<uint8_t> image;
    std::optional<hex::DamagedRecord> damaged; // with status Damaged
};

// Converts the text of an Intel HEX file (it need not end with a line end).
// The image is never longer than capacity bytes: a file whose records span
// more is refused before anything is allocated, whatever its addresses.
HexConversion convertIntelHex(std::span<const uint8_t> text, uint64_t capacity);

} // namespace zephlin
