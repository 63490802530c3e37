#include "project/project_writer.h"

#include "Zephlin_DLL.h"
#include "operations/context_text.h"
#include "operations/option_bytes.h"
#include "operations/option_codec.h"
#include "project/field_writer.h"
#include "support/byte_order.h"
#include "support/checksum16.h"
#include "support/utf8.h"

#include <algorithm>
#include <stdexcept>

namespace zephlin::project {
namespace {

std::string storedName(std::span<const wchar_t> field) {
    const std::string text = utf8::fromWide(contextText(field));
    return std::string(utf8::wholeCharactersWithin(text, footer::kMaxNameBytes));
}

std::span<const uint8_t> imageOf(const uint8_t* bytes, uint32_t size) {
    return size == 0 ? std::span<const uint8_t>{} : std::span<const uint8_t>(bytes, size);
}

} // namespace

std::optional<ProjectContent> projectContentOf(const ZephlinContext& context) {
    ProjectContent content;
    content.chip = findChip(context.chipIndex);
    if (content.chip == nullptr) {
        return std::nullopt;
    }
    content.variant = footerVariantOf(content.chip->projectVersion);
    if (content.variant == nullptr || (context.codeSize != 0 && context.codeImage == nullptr) ||
        (context.dataSize != 0 && context.dataImage == nullptr)) {
        return std::nullopt;
    }
    content.optionWords = buildOptionWords(context);
    if (content.optionWords.size() * kOptionWordBytes >
        content.variant->optionBlockBytes - footer::kCustomerStringFromBlockEnd) {
        return std::nullopt;
    }
    content.code = imageOf(context.codeImage, context.codeSize);
    content.data = imageOf(context.dataImage, context.dataSize);
    content.codeFileName = storedName(context.codeFileName);
    content.ispCodeName = storedName(context.ispCodeName);
    std::ranges::copy(context.customerString, content.customerString.begin());
    content.stepFlags = static_cast<uint8_t>(context.stepFlags);
    content.ispCodeSource = context.ispCodeSource;
    return content;
}

std::vector<uint8_t>
buildOptionBlock(std::span<const uint32_t> optionWords,
                 std::span<const uint8_t, footer::kCustomerStringBytes> customerString,
                 std::span<const uint8_t, footer::kRandomKeyBytes> randomKey,
                 std::size_t blockBytes) {
    const std::vector<uint8_t> optionBytes = optionBytesOf(optionWords);
    if (blockBytes < footer::kCustomerStringFromBlockEnd ||
        optionBytes.size() > blockBytes - footer::kCustomerStringFromBlockEnd) {
        throw std::length_error("option words do not fit the option block");
    }
    std::vector<uint8_t> block(blockBytes, 0xFF);
    std::ranges::copy(optionBytes, block.begin());
    std::ranges::copy(customerString, block.end() - static_cast<std::ptrdiff_t>(
                                                        footer::kCustomerStringFromBlockEnd));
    std::ranges::copy(randomKey,
                      block.end() - static_cast<std::ptrdiff_t>(footer::kRandomKeyFromBlockEnd));
    block[blockBytes - footer::kCustomerIdFromBlockEnd] = footer::kCustomerId;
    return block;
}

std::vector<uint8_t> buildProjectFooter(const ProjectContent& content, const SaveStamp& stamp) {
    const FooterVariant& variant = *content.variant;
    if (content.codeFileName.size() > footer::kMaxNameBytes ||
        content.ispCodeName.size() > footer::kMaxNameBytes) {
        throw std::length_error("a name does not fit its length byte");
    }
    const std::size_t length =
        footerLength(variant, content.codeFileName.size(), content.ispCodeName.size());
    FieldWriter out(length);
    out.put(variant.magic);
    out.putByte(static_cast<uint8_t>(content.codeFileName.size()));
    out.put(content.codeFileName);
    out.putBigEndian(static_cast<uint32_t>(content.code.size()), 4);
    out.putBigEndian(checksum16(content.code), 2);
    if (variant.dataFieldBytes != 0) {
        out.putBigEndian(static_cast<uint32_t>(content.data.size()), 4);
        out.putBigEndian(checksum16(content.data), 2);
    }
    out.putBigEndian(content.chip->chipId, 2);
    out.putBigEndian(static_cast<uint32_t>(variant.optionBlockBytes), 2);
    out.put(buildOptionBlock(content.optionWords, content.customerString, stamp.randomKey,
                             variant.optionBlockBytes));
    out.putByte(content.stepFlags);
    out.putByte(content.ispCodeSource);
    out.skip(4); // reserved, zero
    out.putByte(static_cast<uint8_t>(content.ispCodeName.size()));
    out.put(content.ispCodeName);
    out.put(stamp.atpgKey);
    out.put(stamp.saveTime);
    out.putBigEndian(variant.projectVersion, 2);
    out.putByte(ZEPHLIN_VERSION_MAJOR);
    out.putByte(ZEPHLIN_VERSION_MINOR);
    out.putByte(footer::kToolId);
    out.skip(2); // the checksum, zero while it is computed
    out.putBigEndian(static_cast<uint32_t>(length), 2);
    std::vector<uint8_t> bytes = out.finish();
    // The reader sums every footer byte, the length included, with the two
    // checksum bytes counted as zero.
    storeBigEndian(bytes, length - footer::kChecksumFromEnd, 2, checksum16(bytes));
    return bytes;
}

} // namespace zephlin::project
