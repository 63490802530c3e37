// The simulated writer's sub-MCU during a firmware update: readied by the
// enter frame, it takes a start packet, data packets and an end packet, and
// answers each reply query with A5 5A 00 (ready), A5 5A 41 (accepted) or
// A5 5A 45 (refused).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace zephlin::sim {

class SimulatedSubMcu {
public:
    void enterUpdate();

    // A 0x0603 frame's payload (the whole 128-byte frame).
    void takePacket(std::span<const uint8_t> frame);

    std::array<uint8_t, 3> reply() const { return reply_; }

    // After an end packet: the image when its length and sum matched the start
    // packet; taken once.
    std::optional<std::vector<uint8_t>> takeVerifiedImage();

private:
    enum class State { Idle, Ready, Receiving };

    void refuse();

    State state_ = State::Idle;
    std::array<uint8_t, 3> reply_{0xA5, 0x5A, 0x45};
    uint32_t length_ = 0;
    uint16_t sum_ = 0;
    std::vector<uint8_t> image_;
    std::optional<std::vector<uint8_t>> verified_;
};

} // namespace zephlin::sim
