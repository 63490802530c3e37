#include "link/simulator/simulated_sub_mcu.h"

#include "support/byte_order.h"
#include "support/checksum16.h"

#include <algorithm>

namespace zephlin::sim {
namespace {

constexpr std::size_t kCountOffset = 8;
constexpr std::size_t kDataOffset = 16;
constexpr std::size_t kMaxData = 112;
constexpr uint32_t kLargestImage = 1u << 16;
constexpr uint8_t kReady = 0x00;
constexpr uint8_t kAccepted = 0x41;
constexpr uint8_t kRefused = 0x45;

bool startsWith(std::span<const uint8_t> data, std::initializer_list<uint8_t> marker) {
    return data.size() >= marker.size() && std::equal(marker.begin(), marker.end(), data.begin());
}

} // namespace

void SimulatedSubMcu::enterUpdate() {
    state_ = State::Ready;
    image_.clear();
    reply_[2] = kReady;
}

void SimulatedSubMcu::refuse() {
    state_ = State::Idle;
    reply_[2] = kRefused;
}

void SimulatedSubMcu::takePacket(std::span<const uint8_t> frame) {
    if (frame.size() < kDataOffset + kMaxData) {
        return refuse();
    }
    const uint32_t count = loadLe32(frame, kCountOffset);
    const std::span<const uint8_t> data =
        frame.subspan(kDataOffset, std::min<std::size_t>(count, kMaxData));

    // While image bytes are still due, every packet carries data.
    const bool dataDue = state_ == State::Receiving && image_.size() < length_;
    if (!dataDue && count == 15 && startsWith(data, {0x5A, 0xA5, 0x80})) {
        if (state_ == State::Idle) {
            return refuse();
        }
        length_ = loadBigEndian(data, 7, 4);
        sum_ = static_cast<uint16_t>(loadBigEndian(data, 11, 2));
        if (length_ == 0 || length_ > kLargestImage) {
            return refuse();
        }
        image_.clear();
        state_ = State::Receiving;
        reply_[2] = kAccepted;
        return;
    }
    if (!dataDue && count == 3 && startsWith(data, {0x5A, 0xA5, 0x88})) {
        if (state_ == State::Receiving && checksum16(image_) == sum_) {
            verified_ = image_;
        }
        state_ = State::Idle;
        return;
    }
    if (!dataDue || count == 0 || count > kMaxData || image_.size() + count > length_) {
        return refuse();
    }
    image_.insert(image_.end(), data.begin(), data.end());
    reply_[2] = kAccepted;
}

std::optional<std::vector<uint8_t>> SimulatedSubMcu::takeVerifiedImage() {
    std::optional<std::vector<uint8_t>> image = std::move(verified_);
    verified_.reset();
    return image;
}

} // namespace zephlin::sim
