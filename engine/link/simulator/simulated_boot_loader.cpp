#include "link/simulator/simulated_boot_loader.h"

#include "support/byte_order.h"
#include "support/checksum16.h"

#include <algorithm>

namespace zephlin::sim {
namespace {

constexpr uint8_t kHeader = 0x33;
constexpr uint8_t kCheckRequest = 0x22;
constexpr uint8_t kFinish = 0x44;
constexpr std::size_t kLargestImage = 1u << 20;
constexpr std::size_t kPacketSize = 64;

// 30 ms per 512 bytes begun, as the writer's flash needs.
std::chrono::microseconds eraseTime(std::size_t length) {
    return std::chrono::milliseconds(30 * (length / 512 + 1));
}

} // namespace

bool SimulatedBootLoader::takePacket(std::span<const uint8_t> packet,
                                     std::chrono::microseconds now) {
    if (packet.size() < kPacketSize) {
        return false;
    }
    if (packet[0] == kFinish && state_ != State::Receiving) {
        state_ = State::Finished;
        return true;
    }
    switch (state_) {
    case State::AwaitHeader:
        if (packet[0] == kHeader) {
            length_ = loadBigEndian(packet, 4, 3);
            headerSum_ = static_cast<uint16_t>(loadBigEndian(packet, 7, 2));
            if (length_ > 0 && length_ <= kLargestImage) {
                image_.clear();
                erasedAt_ = now + eraseTime(length_);
                state_ = State::Receiving;
            }
        }
        return true;
    case State::Receiving: {
        if (now < erasedAt_) {
            return false;
        }
        const std::size_t n = std::min(kPacketSize, length_ - image_.size());
        image_.insert(image_.end(), packet.begin(),
                      packet.begin() + static_cast<std::ptrdiff_t>(n));
        if (image_.size() == length_) {
            state_ = State::AwaitCheck;
        }
        return true;
    }
    case State::AwaitCheck:
        if (packet[0] == kCheckRequest) {
            const uint16_t sum = checksum16(image_);
            const auto high = static_cast<uint8_t>(sum >> 8);
            const auto low = static_cast<uint8_t>(sum);
            reply_ =
                swapsChecksum_ ? std::vector<uint8_t>{low, high} : std::vector<uint8_t>{high, low};
            state_ = State::AwaitFinish;
        }
        return true;
    case State::AwaitFinish:
    case State::Finished:
        return true;
    }
    return true;
}

std::optional<std::vector<uint8_t>> SimulatedBootLoader::verifiedImage() const {
    if (state_ != State::Finished || image_.size() != length_ || length_ == 0 ||
        checksum16(image_) != headerSum_) {
        return std::nullopt;
    }
    return image_;
}

} // namespace zephlin::sim
