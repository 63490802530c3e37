#include "project/project_reader.h"

#include "catalogue/chip_catalogue.h"
#include "operations/context_text.h"
#include "operations/option_bytes.h"
#include "operations/option_codec.h"
#include "project/project_footer_layout.h"
#include "support/byte_order.h"
#include "support/checksum16.h"
#include "support/utf8.h"

#include <algorithm>
#include <optional>
#include <string_view>

namespace zephlin::project {
namespace {

struct SplitFile {
    std::span<const uint8_t> body;
    std::span<const uint8_t> footer;
};

// Body and footer by the length in the last two bytes, or nothing when the
// file cannot hold the footer it announces or the footer cannot hold its own
// fixed tail.
std::optional<SplitFile> splitAtFooter(std::span<const uint8_t> file) {
    if (file.size() < footer::kLengthFromEnd) {
        return std::nullopt;
    }
    const std::size_t length = loadBigEndian(file, file.size() - footer::kLengthFromEnd, 2);
    if (length < footer::kTailBytes || length > file.size()) {
        return std::nullopt;
    }
    const std::size_t bodyBytes = file.size() - length;
    return SplitFile{file.first(bodyBytes), file.subspan(bodyBytes)};
}

bool isKnownToolId(uint8_t toolId) {
    return toolId == footer::kToolId ||
           std::ranges::find(footer::kOtherToolIds, toolId) != std::end(footer::kOtherToolIds);
}

void storeName(std::span<wchar_t> field, std::span<const uint8_t> bytes) {
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    storeContextText(field, utf8::toWide(text));
}

// The footer's fields from its start, read in order and never beyond the
// point where the fields addressed from the end begin.
class FooterReader {
public:
    explicit FooterReader(std::span<const uint8_t> footer)
        : head_(footer.first(footer.size() - footer::kTailBytes)) {}

    bool holds(std::size_t offset, std::size_t width) const {
        return offset <= head_.size() && width <= head_.size() - offset;
    }
    uint32_t bigEndian(std::size_t offset, std::size_t width) const {
        return loadBigEndian(head_, offset, width);
    }
    std::span<const uint8_t> bytes(std::size_t offset, std::size_t width) const {
        return head_.subspan(offset, width);
    }

private:
    std::span<const uint8_t> head_;
};

// Where the variable fields of a footer lie.
struct FooterShape {
    std::size_t nameBytes = 0;    // L
    std::size_t dataBytes = 0;    // V
    std::size_t blockBytes = 0;   // E
    std::size_t ispNameBytes = 0; // M
    std::size_t afterName() const { return footer::kNameOffset + nameBytes; }
    // Code size and checksum, then the data fields.
    std::size_t chipIdAt() const { return afterName() + 6 + dataBytes; }
    // Chip ID and E.
    std::size_t blockAt() const { return chipIdAt() + 4; }
    std::size_t afterBlock() const { return blockAt() + blockBytes; }
    // Step flags, ISP code source, 4 reserved bytes and M.
    std::size_t ispNameAt() const { return afterBlock() + 7; }
};

std::optional<FooterShape> shapeOf(const FooterReader& reader, uint16_t projectVersion) {
    FooterShape shape;
    if (!reader.holds(footer::kNameLengthOffset, 1)) {
        return std::nullopt;
    }
    shape.nameBytes = reader.bigEndian(footer::kNameLengthOffset, 1);
    shape.dataBytes = dataFieldBytesOf(projectVersion);
    // E is stored in two bytes; only its low byte counts.
    if (!reader.holds(shape.blockAt() - 1, 1)) {
        return std::nullopt;
    }
    shape.blockBytes = reader.bigEndian(shape.blockAt() - 1, 1);
    if (shape.blockBytes < footer::kCustomerStringFromBlockEnd ||
        !reader.holds(shape.ispNameAt() - 1, 1)) {
        return std::nullopt;
    }
    shape.ispNameBytes = reader.bigEndian(shape.ispNameAt() - 1, 1);
    if (!reader.holds(shape.ispNameAt(), shape.ispNameBytes)) {
        return std::nullopt;
    }
    return shape;
}

void storeTail(std::span<const uint8_t> footerBytes, ZephlinContext& context) {
    const std::size_t end = footerBytes.size();
    context.libraryVersion =
        static_cast<uint16_t>(loadBigEndian(footerBytes, end - footer::kLibraryVersionFromEnd, 2));
    context.projectVersion =
        static_cast<uint16_t>(loadBigEndian(footerBytes, end - footer::kProjectVersionFromEnd, 2));
    std::ranges::copy(footerBytes.subspan(end - footer::kSaveTimeFromEnd, ZEPHLIN_SAVE_TIME_BYTES),
                      std::begin(context.saveTime));
    context.atpgKey =
        static_cast<uint16_t>(loadBigEndian(footerBytes, end - footer::kAtpgKeyFromEnd, 2));
}

// Checks an image of the body against its stored checksum; sizes past the
// body fail like a wrong checksum, since the image is not all there.
bool imageMatches(std::span<const uint8_t> body, uint64_t offset, uint64_t size,
                  uint16_t checksum) {
    if (offset + size > body.size()) {
        return false;
    }
    return checksum16(body.subspan(static_cast<std::size_t>(offset),
                                   static_cast<std::size_t>(size))) == checksum;
}

// Option words, customer string and random key; false when the block is too
// small for the part's option words.
bool storeOptionBlock(std::span<const uint8_t> block, ZephlinContext& context) {
    const ChipRecord& chip = *findChip(context.chipIndex);
    const std::size_t wordBytes = chip.optionWordCount * kOptionWordBytes;
    if (wordBytes > block.size() - footer::kCustomerStringFromBlockEnd) {
        return false;
    }
    decodeOptionWords(context, optionWordsFrom(block, chip.optionWordCount));
    std::ranges::copy(block.subspan(block.size() - footer::kCustomerStringFromBlockEnd,
                                    footer::kCustomerStringBytes),
                      std::begin(context.customerString));
    context.randomKey = loadBigEndian(block, block.size() - footer::kRandomKeyFromBlockEnd,
                                      footer::kRandomKeyBytes);
    return true;
}

// What a file says about the part it was saved for.
struct StoredProject {
    uint16_t chipId;
    uint64_t codeSize;
    uint64_t dataSize;
    std::span<const uint8_t> optionBlock;
};

// Whether this library could have saved the file for the part: its images
// fit the part's areas and the option block holds nothing but erased bytes
// after the part's option words (and the chip checksum word).
bool couldBeSavedFor(const ChipRecord& chip, const StoredProject& stored) {
    constexpr std::size_t kWithChipChecksum = 9;
    std::size_t words = chip.optionWordCount;
    if (chip.checksumSaveFlag == 1) {
        words = std::max(words, kWithChipChecksum);
    }
    const std::size_t wordsEnd = words * kOptionWordBytes;
    const std::size_t customerAt = stored.optionBlock.size() - footer::kCustomerStringFromBlockEnd;
    return stored.codeSize <= chip.mainAreaSize && stored.dataSize <= chip.secondAreaSize &&
           (wordsEnd >= customerAt ||
            std::all_of(stored.optionBlock.begin() + static_cast<std::ptrdiff_t>(wordsEnd),
                        stored.optionBlock.begin() + static_cast<std::ptrdiff_t>(customerAt),
                        [](uint8_t byte) { return byte == 0xFF; }));
}

// The file names its part by chip ID, which a few parts share. Such a file
// loads as the first of them in catalogue order, unless it cannot have been
// saved for that one and can for a later one: a project for a part with more
// option words or a second area then keeps its part instead of loading with
// another part's codec.
int32_t partOfProject(const StoredProject& stored) {
    const int32_t first = firstChipIndexWithChipId(stored.chipId);
    const auto records = chipCatalogue();
    if (first < 0 || couldBeSavedFor(records[static_cast<std::size_t>(first)], stored)) {
        return first;
    }
    for (std::size_t i = static_cast<std::size_t>(first) + 1; i < records.size(); ++i) {
        if (records[i].chipId == stored.chipId && couldBeSavedFor(records[i], stored)) {
            return static_cast<int32_t>(i);
        }
    }
    return first;
}

// A version 0x0300 footer has no data fields, yet the file holds the data
// image after the code image when the part has a second area: the rest of
// the body, up to the second area's size, is that image, so that a project
// loads with the data it was saved with.
void storeUnsizedDataImage(std::span<const uint8_t> body, const ChipRecord& chip,
                           ZephlinContext& context) {
    const std::size_t rest = body.size() - std::min<std::size_t>(body.size(), context.codeSize);
    const std::size_t size = std::min<std::size_t>(rest, chip.secondAreaSize);
    context.dataSize = static_cast<uint32_t>(size);
    context.dataChecksum = checksum16(body.subspan(context.codeSize, size));
}

} // namespace

uint16_t readProjectFooter(std::span<const uint8_t> file, ZephlinContext& context) {
    const std::optional<SplitFile> split = splitAtFooter(file);
    if (!split) {
        return ZEPHLIN_RESULT_KDX_FILE_CHECKSUM_ERROR;
    }
    const std::span<const uint8_t> footerBytes = split->footer;
    const std::size_t checksumAt = footerBytes.size() - footer::kChecksumFromEnd;
    const auto storedChecksum = static_cast<uint16_t>(loadBigEndian(footerBytes, checksumAt, 2));
    const auto computed = static_cast<uint16_t>(checksum16(footerBytes) - footerBytes[checksumAt] -
                                                footerBytes[checksumAt + 1]);
    if (computed != storedChecksum) {
        return ZEPHLIN_RESULT_KDX_FILE_CHECKSUM_ERROR;
    }
    if (!isKnownToolId(footerBytes[footerBytes.size() - footer::kToolIdFromEnd])) {
        return ZEPHLIN_RESULT_KDX_TOOL_ID_ERROR;
    }
    storeTail(footerBytes, context);

    const FooterReader reader(footerBytes);
    const std::optional<FooterShape> shape = shapeOf(reader, context.projectVersion);
    if (!shape) {
        return ZEPHLIN_RESULT_KDX_FILE_CHECKSUM_ERROR;
    }
    storeName(context.codeFileName, reader.bytes(footer::kNameOffset, shape->nameBytes));

    const std::span<const uint8_t> body = split->body;
    std::size_t at = shape->afterName();
    context.codeSize = reader.bigEndian(at, 4);
    context.codeChecksum = static_cast<uint16_t>(reader.bigEndian(at + 4, 2));
    if (!imageMatches(body, 0, context.codeSize, context.codeChecksum)) {
        return ZEPHLIN_RESULT_KDX_BUFFER_CHECKSUM_ERROR;
    }
    context.bufferChecksum = context.codeChecksum;
    if (shape->dataBytes != 0) {
        context.dataSize = reader.bigEndian(at + 6, 4);
        context.dataChecksum = static_cast<uint16_t>(reader.bigEndian(at + 10, 2));
        if (context.dataSize != 0 &&
            !imageMatches(body, context.codeSize, context.dataSize, context.dataChecksum)) {
            return ZEPHLIN_RESULT_KDX_BUFFER_CHECKSUM_ERROR;
        }
    }

    context.chipIndex = -1;
    const std::span<const uint8_t> block = reader.bytes(shape->blockAt(), shape->blockBytes);
    const StoredProject stored{static_cast<uint16_t>(reader.bigEndian(shape->chipIdAt(), 2)),
                               context.codeSize, shape->dataBytes != 0 ? context.dataSize : 0,
                               block};
    context.chipIndex = partOfProject(stored);
    if (context.chipIndex < 0) {
        return ZEPHLIN_RESULT_KDX_PART_NOT_SUPPORTED;
    }
    if (shape->dataBytes == 0) {
        storeUnsizedDataImage(body, *findChip(context.chipIndex), context);
    }
    if (!storeOptionBlock(block, context)) {
        return ZEPHLIN_RESULT_KDX_FILE_CHECKSUM_ERROR;
    }
    if (block[block.size() - footer::kCustomerIdFromBlockEnd] != footer::kCustomerId) {
        return ZEPHLIN_RESULT_KDX_CUSTOMER_ID_ERROR;
    }
    context.customerId = footer::kCustomerId;

    at = shape->afterBlock();
    context.stepFlags = static_cast<uint16_t>(reader.bigEndian(at, 1));
    context.ispCodeSource = static_cast<uint8_t>(reader.bigEndian(at + 1, 1));
    storeName(context.ispCodeName, reader.bytes(shape->ispNameAt(), shape->ispNameBytes));
    return ZEPHLIN_RESULT_PASS;
}

uint16_t readProjectImages(std::span<const uint8_t> file, ZephlinContext& context) {
    const std::optional<SplitFile> split = splitAtFooter(file);
    if (!split) {
        return ZEPHLIN_RESULT_KDX_FILE_CHECKSUM_ERROR;
    }
    const uint64_t codeBytes = context.codeSize;
    const uint64_t dataBytes = context.dataSize;
    if (codeBytes + dataBytes > split->body.size()) {
        return ZEPHLIN_RESULT_KDX_BUFFER_CHECKSUM_ERROR;
    }
    if ((codeBytes != 0 && context.codeImage == nullptr) ||
        (dataBytes != 0 && context.dataImage == nullptr)) {
        return ZEPHLIN_RESULT_FAIL;
    }
    const std::span<const uint8_t> code = split->body.first(context.codeSize);
    std::ranges::copy(code, context.codeImage);
    if (dataBytes != 0) {
        std::ranges::copy(split->body.subspan(context.codeSize, context.dataSize),
                          context.dataImage);
    }
    return ZEPHLIN_RESULT_PASS;
}

} // namespace zephlin::project
