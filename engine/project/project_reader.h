// Reading a project file that lies whole in memory. Every size and offset in
// it is checked against the bytes that are there before anything is read, so
// a truncated, oversized or corrupted file is refused with a result code.
#pragma once

#include "Zephlin_DLL.h"

#include <cstdint>
#include <span>

namespace zephlin::project {

// The footer's checks in their order, filling the context as each step
// passes; the first failing check ends the reading and the fields stored
// before it keep their new values. Results: 101; 115 for a footer whose
// checksum does not match or whose fields do not fit the footer (a file
// shorter than its footer length, an L, E or M that runs past the footer, an
// option block too small for its fields or for the part's option words); 116
// for a code or data image whose checksum does not match or that runs past
// the body; 117 for an unknown tool ID; 118 for a chip ID that no part has;
// 119 for a customer ID other than 5. A version 0x0300 footer carries no data
// size: the data image is then the rest of the body after the code image, at
// most the part's second-area size (0 for a part without a second area).
uint16_t readProjectFooter(std::span<const uint8_t> file, ZephlinContext& context);

// Copies the code image (code size bytes from the start) and, when the data
// size is not 0, the data image that follows it into the context's buffers.
// Results: 101; 115 when the file has no readable footer length; 116 when the
// sizes reach past the body into the footer or beyond the file; 102 when a
// buffer is missing for a non-zero size. Nothing is copied on failure.
uint16_t readProjectImages(std::span<const uint8_t> file, ZephlinContext& context);

} // namespace zephlin::project
