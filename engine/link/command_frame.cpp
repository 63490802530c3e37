#include "link/command_frame.h"

#include "support/byte_order.h"
#include "support/random_tag.h"

namespace zephlin {

FrameTag FrameTag::fresh() {
    return FrameTag{nextRandomTag()};
}

CommandFrame::CommandFrame(uint16_t command, FrameTag tag, std::size_t size) : bytes_(size, 0) {
    put8(frame::kSync, kFrameSync);
    put8(frame::kTag, tag.value);
    put16(frame::kCommand, command);
}

void CommandFrame::put8(std::size_t offset, uint8_t value) {
    bytes_.at(offset) = value;
}

void CommandFrame::put16(std::size_t offset, uint16_t value) {
    storeLe16(bytes_, offset, value);
}

void CommandFrame::put32(std::size_t offset, uint32_t value) {
    storeLe32(bytes_, offset, value);
}

CommandFrame commandFrame(uint16_t command, FrameTag tag, uint32_t start, uint32_t length,
                          uint16_t checksum) {
    CommandFrame result(command, tag);
    result.put32(frame::kStart, start);
    result.put32(frame::kLength, length);
    result.put16(frame::kChecksum, checksum);
    return result;
}

CommandFrame queryFrame(uint16_t command, FrameTag tag, uint8_t replyLength) {
    CommandFrame result(command, tag);
    result.put8(frame::kLength, replyLength);
    return result;
}

} // namespace zephlin
