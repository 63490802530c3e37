#include "link/simulator/simulator_state_file.h"

#include "support/file_replacement.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <fstream>

namespace zephlin::sim {
namespace {

constexpr std::array<char, 8> kMagic{'Z', 'E', 'P', 'H', 'S', 'I', 'M', '\n'};
constexpr uint32_t kFormatVersion = 1;
constexpr std::size_t kLargestBlob = 4u << 20;

class Writer {
public:
    void u8(uint8_t v) { bytes_.push_back(v); }
    void u16(uint16_t v) { little(v, 2); }
    void u32(uint32_t v) { little(v, 4); }
    void blob(std::span<const uint8_t> data) {
        u32(static_cast<uint32_t>(data.size()));
        bytes_.insert(bytes_.end(), data.begin(), data.end());
    }
    const std::vector<uint8_t>& bytes() const { return bytes_; }

private:
    void little(uint32_t v, int width) {
        for (int i = 0; i < width; ++i) {
            bytes_.push_back(static_cast<uint8_t>(v >> (8 * i)));
        }
    }
    std::vector<uint8_t> bytes_;
};

// Reads fields from untrusted bytes: any field past the end makes the reader
// fail, and it stays failed.
class Reader {
public:
    explicit Reader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    bool ok() const { return ok_; }
    bool atEnd() const { return at_ == bytes_.size(); }

    uint8_t u8() { return static_cast<uint8_t>(little(1)); }
    uint16_t u16() { return static_cast<uint16_t>(little(2)); }
    uint32_t u32() { return little(4); }
    std::vector<uint8_t> blob() {
        const uint32_t size = u32();
        if (!ok_ || size > kLargestBlob || bytes_.size() - at_ < size) {
            ok_ = false;
            return {};
        }
        std::vector<uint8_t> data(bytes_.begin() + static_cast<std::ptrdiff_t>(at_),
                                  bytes_.begin() + static_cast<std::ptrdiff_t>(at_ + size));
        at_ += size;
        return data;
    }
    void skipMagic() {
        if (bytes_.size() < kMagic.size() ||
            std::memcmp(bytes_.data(), kMagic.data(), kMagic.size()) != 0) {
            ok_ = false;
            return;
        }
        at_ = kMagic.size();
    }

private:
    uint32_t little(std::size_t width) {
        if (!ok_ || bytes_.size() - at_ < width) {
            ok_ = false;
            return 0;
        }
        uint32_t v = 0;
        for (std::size_t i = 0; i < width; ++i) {
            v |= uint32_t{bytes_[at_ + i]} << (8 * i);
        }
        at_ += width;
        return v;
    }

    std::span<const uint8_t> bytes_;
    std::size_t at_ = 0;
    bool ok_ = true;
};

} // namespace

std::vector<uint8_t> serialiseState(const WriterState& state) {
    Writer out;
    for (const char c : kMagic) {
        out.u8(static_cast<uint8_t>(c));
    }
    out.u32(kFormatVersion);
    out.u32(state.firmware.version);
    out.u8(state.firmware.coreCode);
    out.u16(state.subMcuVersion);

    out.u8(state.chip ? 1 : 0);
    if (state.chip) {
        const SimulatedChip& chip = *state.chip;
        out.u32(static_cast<uint32_t>(chip.chipIndex));
        out.u8(chip.protectedByFault ? 1 : 0);
        out.blob(chip.mainArea);
        out.blob(chip.secondArea);
        out.u32(static_cast<uint32_t>(chip.optionWords.size()));
        for (const uint32_t word : chip.optionWords) {
            out.u32(word);
        }
    }

    out.blob(state.offline.image);
    out.blob(state.offline.settings);
    out.u32(state.offline.currentNumber);
    out.u16(state.offline.currentCounter);
    return out.bytes();
}

std::optional<WriterState> parseStateFile(std::span<const uint8_t> bytes, std::string& reason) {
    Reader in(bytes);
    in.skipMagic();
    if (!in.ok()) {
        reason = "not a writer simulator state file";
        return std::nullopt;
    }
    if (in.u32() != kFormatVersion) {
        reason = "unsupported state file version";
        return std::nullopt;
    }
    WriterState state;
    state.firmware.version = in.u32();
    state.firmware.coreCode = in.u8();
    state.subMcuVersion = in.u16();

    if (in.u8() == 1) {
        SimulatedChip chip;
        chip.chipIndex = static_cast<int32_t>(in.u32());
        chip.protectedByFault = in.u8() == 1;
        chip.mainArea = in.blob();
        chip.secondArea = in.blob();
        const uint32_t words = in.u32();
        for (uint32_t i = 0; in.ok() && i < words && i < kLargestBlob / 4; ++i) {
            chip.optionWords.push_back(in.u32());
        }
        if (in.ok() && !chip.fitsItsPart()) {
            reason = "the chip in the state file does not fit its part";
            return std::nullopt;
        }
        state.chip = std::move(chip);
    }

    state.offline.image = in.blob();
    state.offline.settings = in.blob();
    state.offline.currentNumber = in.u32();
    state.offline.currentCounter = in.u16();
    if (!in.ok() || !in.atEnd() || state.offline.settings.size() > kOfflineInfoSize) {
        reason = "the state file is damaged";
        return std::nullopt;
    }
    return state;
}

bool writeStateFile(const std::filesystem::path& path, const WriterState& state,
                    std::string& error) {
    FileReplacement file(path.string());
    if (!file.commit(serialiseState(state))) {
        error = "cannot write " + path.string() + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

std::optional<WriterState> readStateFile(const std::filesystem::path& path, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot open " + path.string();
        return std::nullopt;
    }
    std::vector<uint8_t> bytes;
    std::vector<char> chunk(64 * 1024);
    while (in && bytes.size() <= kLargestStateFile) {
        in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
        bytes.insert(bytes.end(), chunk.begin(), chunk.begin() + in.gcount());
    }
    if (bytes.size() > kLargestStateFile) {
        error = path.string() + " is too large for a state file";
        return std::nullopt;
    }
    std::string reason;
    std::optional<WriterState> state = parseStateFile(bytes, reason);
    if (!state) {
        error = path.string() + ": " + reason;
    }
    return state;
}

} // namespace zephlin::sim
