// The simulated writer's boot loader: takes the header, the image and the
// check request in 64-byte packets, answers the image's 16-bit sum, and on the
// finish packet hands over the image to install when it arrived intact.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace zephlin::sim {

class SimulatedBootLoader {
public:
    explicit SimulatedBootLoader(bool swapsChecksum = false) : swapsChecksum_(swapsChecksum) {}

    // One packet at a moment of the writer's clock. False when the loader is
    // still erasing its flash after the header and cannot take image data.
    bool takePacket(std::span<const uint8_t> packet, std::chrono::microseconds now);

    // The answer to the check request, high byte first (empty before one).
    const std::vector<uint8_t>& reply() const { return reply_; }

    bool finished() const { return state_ == State::Finished; }

    // After the finish packet: the image when its length and sum matched the
    // header.
    std::optional<std::vector<uint8_t>> verifiedImage() const;

private:
    enum class State { AwaitHeader, Receiving, AwaitCheck, AwaitFinish, Finished };

    bool swapsChecksum_;
    State state_ = State::AwaitHeader;
    std::size_t length_ = 0;
    uint16_t headerSum_ = 0;
    std::chrono::microseconds erasedAt_{0};
    std::vector<uint8_t> image_;
    std::vector<uint8_t> reply_;
};

} // namespace zephlin::sim
