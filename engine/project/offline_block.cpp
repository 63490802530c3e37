#include "project/offline_block.h"

#include "catalogue/chip_catalogue.h"
#include "operations/option_bytes.h"
#include "operations/option_codec.h"
#include "project/field_writer.h"
#include "support/byte_order.h"
#include "support/checksum16.h"

#include <algorithm>
#include <array>

namespace zephlin::project {
namespace {

constexpr uint8_t kFormatWithData = 4;
constexpr uint8_t kFormatWithoutData = 2;
constexpr std::size_t kFixedBytesWithData = 73;
constexpr std::size_t kFixedBytesWithoutData = 63;
constexpr std::size_t kChecksumBytes = 2;
constexpr std::size_t kLengthAt = 2;
constexpr std::size_t kFormatAt = 4;
constexpr std::size_t kChipIdAt = 5;
constexpr std::size_t kEmptyMarkerBytes = 5;

// Where the stored information keeps its fields, by the format in byte 4.
struct InfoLayout {
    std::size_t codeStart;
    std::size_t codeSize;
    std::size_t codeChecksum;
    std::optional<std::size_t> dataStart; // data size and checksum follow
    std::size_t stepFlags;
    std::size_t offlineFlags;
    std::size_t serialAddress;
    std::size_t serialString;
    std::size_t serialNumber;
    std::size_t currentNumber;
    std::size_t maxCounter;
    std::size_t currentCounter;
    std::size_t reserved;
    std::size_t optionByteCount;
    std::size_t optionWords;
    // Formats that carry the part's identity bytes at 7 and its chip type.
    std::optional<std::size_t> chipType;
};

constexpr InfoLayout kFormat1{10, 14, 18, std::nullopt, 20, 21, 22, 26,
                              38, 42, 46, 48,           50, 57, 58, std::nullopt};
constexpr InfoLayout kFormat2{15, 19, 23, std::nullopt, 25, 26, 27, 31,
                              43, 47, 51, 53,           55, 62, 63, 61};
constexpr InfoLayout kFormat4{15, 19, 23, 25, 35, 36, 37, 41, 53, 57, 61, 63, 65, 72, 73, 71};
constexpr std::size_t kIdentityAt = 7;

const InfoLayout* infoLayoutOf(uint8_t format) {
    switch (format) {
    case 1:
        return &kFormat1;
    case 2:
        return &kFormat2;
    case 3: // read exactly like format 4
    case 4:
        return &kFormat4;
    default:
        return nullptr;
    }
}

// Bytes 2 to L-1, less the current number and counter: the writer updates
// those six bytes while it produces, wherever the format puts them.
uint16_t blockChecksumOf(std::span<const uint8_t> info, std::size_t length,
                         const InfoLayout* layout) {
    auto sum = static_cast<uint16_t>(
        length > kLengthAt ? checksum16(info.subspan(kLengthAt, length - kLengthAt)) : 0);
    if (layout != nullptr) {
        sum = static_cast<uint16_t>(sum - checksum16(info.subspan(layout->currentNumber, 4)) -
                                    checksum16(info.subspan(layout->currentCounter, 2)));
    }
    return sum;
}

bool isErasedStore(std::span<const uint8_t> info) {
    return std::all_of(info.begin(), info.begin() + kEmptyMarkerBytes,
                       [](uint8_t byte) { return byte == 0xFF; });
}

// The stored block names its part by chip ID, which a few parts share; where
// the format also carries the identity bytes and the chip type, the first
// part that matches all three is taken, else the first with the chip ID.
int32_t partOfInfo(std::span<const uint8_t> block, const InfoLayout& layout) {
    const uint16_t chipId = loadLe16(block, kChipIdAt);
    const int32_t first = firstChipIndexWithChipId(chipId);
    if (first < 0 || !layout.chipType) {
        return first;
    }
    const auto records = chipCatalogue();
    for (std::size_t i = static_cast<std::size_t>(first); i < records.size(); ++i) {
        const ChipRecord& chip = records[i];
        if (chip.chipId == chipId && chip.chipType == block[*layout.chipType] &&
            targetIdentityWord(chip) == loadLe32(block, kIdentityAt)) {
            return static_cast<int32_t>(i);
        }
    }
    return first;
}

void storeInfoFields(std::span<const uint8_t> block, const InfoLayout& layout,
                     ZephlinContext& context) {
    context.codeStart = loadLe32(block, layout.codeStart);
    context.codeSize = loadLe32(block, layout.codeSize);
    context.codeChecksum = loadLe16(block, layout.codeChecksum);
    if (layout.dataStart) {
        context.dataStart = loadLe32(block, *layout.dataStart);
        context.dataSize = loadLe32(block, *layout.dataStart + 4);
        context.dataChecksum = loadLe16(block, *layout.dataStart + 8);
    }
    context.stepFlags = block[layout.stepFlags];
    context.offlineFlags = block[layout.offlineFlags];
    context.serialAddress = loadLe32(block, layout.serialAddress);
    std::ranges::copy(block.subspan(layout.serialString, ZEPHLIN_SERIAL_STRING_BYTES),
                      std::begin(context.serialString));
    context.serialNumber = loadLe32(block, layout.serialNumber);
    context.currentNumber = loadLe32(block, layout.currentNumber);
    context.maxCounter = loadLe16(block, layout.maxCounter);
    context.currentCounter = loadLe16(block, layout.currentCounter);
    std::ranges::copy(block.subspan(layout.reserved, 2), std::begin(context.offlineReserved));
}

} // namespace

// The Cortex-M0 families (chip types 1, 4, 17, 18, 19, 21, 27) take the block
// with the data fields, the Cortex-M3 and M0+ families (13, 14, 16) the one
// without.
std::optional<uint8_t> offlineBlockFormatOf(uint8_t chipType) {
    constexpr uint8_t kCortexM0 = 1;
    const uint8_t core = coreCodeOfChipType(chipType);
    if (core == kNoCoreCode) {
        return std::nullopt;
    }
    return core == kCortexM0 ? kFormatWithData : kFormatWithoutData;
}

std::optional<std::vector<uint8_t>> buildOfflineSettingsBlock(const ZephlinContext& context) {
    const ChipRecord* chip = findChip(context.chipIndex);
    const std::optional<uint8_t> format =
        chip != nullptr ? offlineBlockFormatOf(chip->chipType) : std::nullopt;
    if (!format) {
        return std::nullopt;
    }
    const std::vector<uint8_t> optionBytes = optionBytesOf(buildOptionWords(context));
    const bool withData = *format == kFormatWithData;
    const std::size_t length =
        (withData ? kFixedBytesWithData : kFixedBytesWithoutData) + optionBytes.size();
    FieldWriter out(length);
    out.skip(kChecksumBytes);
    out.putLittleEndian(static_cast<uint32_t>(length), 2);
    out.putByte(*format);
    out.putLittleEndian(chip->chipId, 2);
    out.putLittleEndian(targetIdentityWord(*chip), 4);
    out.skip(4);
    out.putLittleEndian(context.codeStart, 4);
    out.putLittleEndian(context.codeSize, 4);
    out.putLittleEndian(context.codeChecksum, 2);
    if (withData) {
        out.putLittleEndian(context.dataStart, 4);
        out.putLittleEndian(context.dataSize, 4);
        out.putLittleEndian(context.dataChecksum, 2);
    }
    out.putByte(static_cast<uint8_t>(context.stepFlags));
    out.putByte(context.offlineFlags);
    out.putLittleEndian(context.serialAddress, 4);
    out.put(context.serialString);
    out.putLittleEndian(context.serialNumber, 4);
    out.skip(4); // current number, counted by the writer
    out.putLittleEndian(context.maxCounter, 2);
    out.skip(2); // current counter, counted by the writer
    out.skip(2); // reserved
    out.putLittleEndian(chip->parameterWord, 4);
    out.putByte(chip->chipType);
    out.putByte(static_cast<uint8_t>(optionBytes.size()));
    out.put(optionBytes);
    std::vector<uint8_t> block = out.finish();
    storeLe16(block, 0, checksum16(std::span(block).subspan(kChecksumBytes)));
    return block;
}

uint16_t unpackOfflineInfo(std::span<const uint8_t> info, ZephlinContext& context) {
    if (info.size() < kOfflineInfoBytes) {
        return ZEPHLIN_RESULT_READ_ERROR;
    }
    if (isErasedStore(info)) {
        return ZEPHLIN_RESULT_INFO_EMPTY;
    }
    const std::size_t length = loadLe16(info, kLengthAt);
    if (length > kOfflineInfoBytes) {
        return ZEPHLIN_RESULT_CHECKSUM_ERROR;
    }
    const InfoLayout* layout = infoLayoutOf(info[kFormatAt]);
    if (blockChecksumOf(info, length, layout) != loadLe16(info, 0)) {
        return ZEPHLIN_RESULT_CHECKSUM_ERROR;
    }
    if (layout == nullptr) {
        return ZEPHLIN_RESULT_FAIL;
    }
    // Every field lies before the option words, so a block that holds its
    // option words holds them all.
    const std::span<const uint8_t> block = info.first(length);
    if (layout->optionWords > block.size()) {
        return ZEPHLIN_RESULT_FAIL;
    }
    const int32_t found = partOfInfo(block, *layout);
    const int32_t chipIndex = found >= 0 ? found : context.chipIndex;
    const ChipRecord* chip = findChip(chipIndex);
    const std::size_t optionBytes = block[layout->optionByteCount];
    const std::size_t wordsNeeded = chip != nullptr ? chip->optionWordCount : 0;
    if (optionBytes > block.size() - layout->optionWords ||
        optionBytes < wordsNeeded * kOptionWordBytes) {
        return ZEPHLIN_RESULT_FAIL;
    }
    context.chipIndex = chipIndex;
    storeInfoFields(block, *layout, context);
    decodeOptionWords(context, optionWordsFrom(block.subspan(layout->optionWords), wordsNeeded));
    return ZEPHLIN_RESULT_PASS;
}

} // namespace zephlin::project
