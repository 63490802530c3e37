// A user's ISP code file in Intel HEX, turned into the image the chip runs:
// byte i of the image is the content of address i, so the file is expected to
// hold its code from address 0 upwards. Unlike the Load File converter, a
// start-address record ends the conversion.
#pragma once

#include "support/hex_records.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace zephlin::project {

struct IspHexImage {
    // The image up to the highest address a data record wrote, 0xFF wherever
    // no record wrote; nothing when that image would be longer than limit
    // bytes (an ISP area holds no more, and a file linked far from 0 must not
    // make the library allocate gigabytes) or a record is damaged.
    std::optional<std::vector<uint8_t>> image;
    // The damaged record that refused the file: an ISP code cut short there
    // would be inserted as if it were whole.
    std::optional<hex::DamagedRecord> damaged;
};

IspHexImage ispImageFromHex(std::span<const uint8_t> text, std::size_t limit);

} // namespace zephlin::project
