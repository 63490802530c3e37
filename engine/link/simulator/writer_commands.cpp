// The simulated writer's normal-mode firmware: what the box does with each
// command frame and data block.
#include "link/simulator/box_frames.h"
#include "link/simulator/box_status.h"
#include "link/simulator/writer_simulator.h"
#include "resources/embedded_images.h"
#include "support/byte_order.h"
#include "support/checksum16.h"

#include <algorithm>
#include <chrono>
#include <tuple>

namespace zephlin::sim {
namespace {

using namespace std::chrono_literals;

// The largest block the box buffers or delivers at once.
constexpr uint32_t kLargestTransfer = 1u << 20;
constexpr uint16_t kUnknownFirmwareVersion = 0;

// How long the box takes to come back on the bus after a restart.
constexpr auto kBootModeAppears = 1200ms;
constexpr auto kNormalModeAppears = 1500ms;

std::optional<FlashArea> areaOf(BoxCommand code) {
    switch (code) {
    case BoxCommand::EraseMainArea:
    case BoxCommand::WriteMainArea:
    case BoxCommand::ReadMainArea:
        return FlashArea::Main;
    case BoxCommand::EraseSecondArea:
    case BoxCommand::WriteSecondArea:
    case BoxCommand::ReadSecondArea:
        return FlashArea::Second;
    default:
        return std::nullopt;
    }
}

bool sameBytes(std::span<const uint8_t> a, std::optional<std::span<const uint8_t>> b) {
    return b && std::equal(a.begin(), a.end(), b->begin(), b->end());
}

// The firmware an image is, judged by its bytes; an image the box does not
// know runs, but reports version 0 for no core.
InstalledFirmware identifyFirmware(std::span<const uint8_t> image) {
    for (const WriterFirmware& firmware : writerFirmwares()) {
        if (sameBytes(image,
                      resources::findImage(resources::ImageKind::Firmware, firmware.imageId))) {
            return {firmware.version, firmware.coreCode};
        }
    }
    return {kUnknownFirmwareVersion, 0};
}

// The catalogue part a target setup asks for: among the parts with its chip
// type and identity, the one with its parameter word and the largest areas
// (parts that report the same ID cannot be told apart by the writer).
int32_t requestedPart(uint8_t chipType, uint32_t identity, uint32_t parameterWord) {
    int32_t best = -1;
    auto rank = [&](const ChipRecord& chip) {
        return std::tuple(chip.parameterWord == parameterWord, chip.mainAreaSize,
                          chip.secondAreaSize);
    };
    const auto records = chipCatalogue();
    for (std::size_t i = 0; i < records.size(); ++i) {
        const ChipRecord& chip = records[i];
        if (chip.chipType != chipType || targetIdentityWord(chip) != identity) {
            continue;
        }
        if (best < 0 || rank(chip) > rank(records[static_cast<std::size_t>(best)])) {
            best = static_cast<int32_t>(i);
        }
    }
    return best;
}

bool answersTo(const ChipRecord& chip, uint8_t chipType, uint32_t identity) {
    return chip.chipType == chipType && targetIdentityWord(chip) == identity;
}

} // namespace

void WriterSimulator::takeCommandReport(std::span<const uint8_t> payload) {
    if (pendingWrite_) {
        receiveData(payload);
    } else if (const std::optional<ReceivedFrame> frame = readFrame(payload)) {
        runCommand(*frame, payload);
    }
    // Anything else is not a frame and is ignored, as the box does.
}

void WriterSimulator::runCommand(const ReceivedFrame& frame, std::span<const uint8_t> payload) {
    const auto [tag, code, start, length, checksum] = frame;
    outgoing_.clear();
    outgoingAt_ = 0;

    switch (code) {
    case BoxCommand::EraseMainArea:
    case BoxCommand::EraseSecondArea:
        answer(tag, targetOpen() ? state_.chip->erasePages(*areaOf(code), length, checksum)
                                 : box_status::kRefused);
        return;
    case BoxCommand::EraseWholeChip:
        answer(tag, eraseWholeChip());
        return;
    case BoxCommand::WriteMainArea:
    case BoxCommand::WriteSecondArea:
    case BoxCommand::WriteOptionWords:
    case BoxCommand::WriteOfflineImage:
    case BoxCommand::WriteOfflineSettings:
        pendingWrite_ = PendingWrite{frame, 0, 0, {}};
        if (length == 0) {
            PendingWrite empty = std::move(*pendingWrite_);
            pendingWrite_.reset();
            completeWrite(std::move(empty));
        }
        return;
    case BoxCommand::ReadMainArea:
    case BoxCommand::ReadSecondArea:
        if (targetOpen() && length <= kLargestTransfer) {
            offerData(state_.chip->read(*areaOf(code), start, length));
        }
        return;
    case BoxCommand::ReadOptionWords:
        if (powered_ && length <= kLargestTransfer) {
            offerData(state_.chip->readOptionBytes(length));
        }
        return;
    case BoxCommand::ReadOfflineInfo: {
        const auto info = state_.offline.info();
        offerData({info.begin(), info.end()});
        return;
    }
    case BoxCommand::ReadDeviceId:
        if (powered_) {
            const auto reply = state_.chip->deviceIdReply();
            offerData({reply.begin(), reply.end()});
        }
        return;
    case BoxCommand::ReadWriterVersion:
        offerData(versionReply());
        return;
    case BoxCommand::ReadSubMcuReply: {
        const auto reply = subMcu_.reply();
        offerData({reply.begin(), reply.end()});
        return;
    }
    case BoxCommand::SubMcuPacket:
        takeSubMcuPacket(payload);
        return;
    case BoxCommand::EnterFirmwareUpdate:
        switch (readUpdateRequest(payload)) {
        case UpdateRequest::BootMode:
            enterBootMode();
            break;
        case UpdateRequest::SubMcu:
            subMcu_.enterUpdate();
            break;
        case UpdateRequest::Other:
            break;
        }
        return;
    case BoxCommand::TargetSetup:
        answer(tag, setUpTarget(payload));
        return;
    case BoxCommand::EndOfTarget:
        if (options_.faults.has(Fault::NoResponse)) {
            answer(tag, box_status::kNoResponse);
            return;
        }
        powered_ = false;
        sessionLocked_ = false;
        unlockConnection_ = false;
        answer(tag, box_status::kDone);
        return;
    default:
        answer(tag, box_status::kUnknownCommand);
        return;
    }
}

void WriterSimulator::receiveData(std::span<const uint8_t> payload) {
    PendingWrite& write = *pendingWrite_;
    const uint32_t n = std::min<uint32_t>(static_cast<uint32_t>(payload.size()),
                                          write.frame.length - write.received);
    const auto piece = payload.first(n);
    write.sum = checksum16(piece, write.sum);
    if (write.frame.length <= kLargestTransfer) {
        write.data.insert(write.data.end(), piece.begin(), piece.end());
    }
    write.received += n;
    if (write.received == write.frame.length) {
        PendingWrite complete = std::move(write);
        pendingWrite_.reset();
        completeWrite(std::move(complete));
    }
}

// The box answers a write once the whole block has arrived.
void WriterSimulator::completeWrite(PendingWrite write) {
    if (write.sum != write.frame.checksum) {
        answer(write.frame.tag, box_status::kChecksumError);
        return;
    }
    if (write.frame.length > kLargestTransfer) {
        answer(write.frame.tag, box_status::kRefused);
        return;
    }
    switch (write.frame.command) {
    case BoxCommand::WriteMainArea:
    case BoxCommand::WriteSecondArea:
        answer(write.frame.tag, targetOpen() ? state_.chip->program(*areaOf(write.frame.command),
                                                                    write.frame.start, write.data)
                                             : box_status::kRefused);
        return;
    case BoxCommand::WriteOptionWords:
        answer(write.frame.tag,
               powered_ ? state_.chip->writeOptionBytes(write.data) : box_status::kRefused);
        return;
    case BoxCommand::WriteOfflineImage:
        state_.offline.storeImage(write.data);
        answer(write.frame.tag, box_status::kDone);
        return;
    default: // the off-line settings block
        if (write.data.size() > kOfflineInfoSize) {
            answer(write.frame.tag, box_status::kRefused);
            return;
        }
        state_.offline.storeSettings(write.data);
        answer(write.frame.tag, box_status::kDone);
        return;
    }
}

// A target whose flash may be read and changed: powered and not protected.
bool WriterSimulator::targetOpen() const {
    return powered_ && !sessionLocked_;
}

uint16_t WriterSimulator::setUpTarget(std::span<const uint8_t> payload) {
    const std::optional<TargetRequest> request = readTargetRequest(payload);
    if (!request) {
        return box_status::kRefused;
    }
    const auto [identity, parameterWord, chipType, eraseUnlock] = *request;

    const FaultSet& faults = options_.faults;
    if (faults.has(Fault::PowerOnFailure)) {
        return box_status::kPowerOnFailure;
    }
    if (faults.has(Fault::NoResponse)) {
        return box_status::kNoResponse;
    }
    if (faults.has(Fault::IdMismatch)) {
        return box_status::kIdMismatch;
    }

    // The chip that ends up in the socket: the fixed part, or the part asked
    // for unless the chip already there answers to the same ID.
    const std::optional<int32_t> fixed = options_.fixedChipIndex;
    const int32_t part = fixed ? *fixed : requestedPart(chipType, identity, parameterWord);
    if (part < 0 || !answersTo(*findChip(part), chipType, identity)) {
        return box_status::kIdMismatch;
    }
    const bool keepChip =
        state_.chip && (fixed ? state_.chip->chipIndex == *fixed
                              : answersTo(state_.chip->part(), chipType, identity));
    if (!keepChip) {
        state_.chip = SimulatedChip::fresh(part);
    }
    if (lockNextChip_) {
        state_.chip->protectedByFault = true;
        lockNextChip_ = false;
    }

    powered_ = true;
    sessionLocked_ = state_.chip->locked();
    // A protected chip-type-16 target can be connected for the unlocking erase.
    unlockConnection_ = sessionLocked_ && eraseUnlock && chipType == 16;
    return sessionLocked_ && !unlockConnection_ ? box_status::kLocked : box_status::kDone;
}

// A whole-chip erase clears flash, option words and read protection; an
// SWD-protected chip-type-16 target takes it only over an unlock connection.
uint16_t WriterSimulator::eraseWholeChip() {
    if (!powered_) {
        return box_status::kRefused;
    }
    if (sessionLocked_ && state_.chip->part().chipType == 16 && !unlockConnection_) {
        return box_status::kRefused;
    }
    state_.chip->eraseWholeChip();
    return box_status::kDone;
}

void WriterSimulator::offerData(std::vector<uint8_t> bytes) {
    outgoing_ = std::move(bytes);
    outgoingAt_ = 0;
}

std::vector<uint8_t> WriterSimulator::versionReply() const {
    std::vector<uint8_t> reply(8, 0);
    storeLe32(reply, 0, state_.firmware.version);
    storeLe16(reply, 4, state_.subMcuVersion);
    reply[7] = state_.firmware.coreCode;
    return reply;
}

void WriterSimulator::takeSubMcuPacket(std::span<const uint8_t> frame) {
    subMcu_.takePacket(frame);
    if (const auto image = subMcu_.takeVerifiedImage()) {
        const bool known =
            sameBytes(*image, resources::findImage(resources::ImageKind::Firmware, kSubMcuImageId));
        state_.subMcuVersion = known ? kExpectedSubMcuVersion : kUnknownFirmwareVersion;
    }
}

void WriterSimulator::enterBootMode() {
    bootLoader_ = SimulatedBootLoader(options_.faults.has(Fault::SwappedBootChecksum));
    const bool appears = !options_.faults.has(Fault::NoBootMode);
    restart(WriterMode::Boot, appears ? std::chrono::microseconds(kBootModeAppears)
                                      : std::chrono::microseconds::max() - clock_);
}

// After the finish packet the box restarts in normal mode, running the new
// firmware when it arrived intact and the old one otherwise.
void WriterSimulator::finishBootMode() {
    if (const auto image = bootLoader_.verifiedImage()) {
        state_.firmware = identifyFirmware(*image);
    }
    restart(WriterMode::Normal, kNormalModeAppears);
}

} // namespace zephlin::sim
