#include "buffer/core/code_file_load.h"

#include "buffer/core/code_file_io.h"
#include "buffer/core/image_placement.h"
#include "buffer/core/intel_hex_converter.h"
#include "common/hex_text.h"

#include "Zephlin_DLL.h"
#include "support/utf8.h"

namespace zephlin {
namespace {

// No area of any part comes near this; a longer file cannot hold an image
// that fits, so it is refused without being read.
constexpr uint64_t kLongestCodeFile = 256ull * 1024 * 1024;

// The state a page has after a load from the given state, and whether its
// label says "(Mixed file)". A reload of a single file stays a single file.
LoadState stateAfter(LoadState before, LoadForm form) {
    if (form == LoadForm::Reload && before == LoadState::SingleFile) {
        return LoadState::SingleFile;
    }
    return stateAfterLoad(before, false);
}

} // namespace

std::wstring upperExtension(std::wstring_view path) {
    const std::size_t nameStart = path.find_last_of(L'/');
    const std::wstring_view name =
        nameStart == std::wstring_view::npos ? path : path.substr(nameStart + 1);
    const std::size_t dot = name.find_last_of(L'.');
    return dot == std::wstring_view::npos ? std::wstring{} : toUpperAscii(name.substr(dot + 1));
}

CodeFileKind codeFileKind(std::wstring_view extension) {
    if (extension == L"KDX") {
        return CodeFileKind::Project;
    }
    return extension == L"HEX" ? CodeFileKind::IntelHex : CodeFileKind::RawBinary;
}

CodeFileImage codeFileImage(std::span<const uint8_t> file, std::wstring_view extension,
                            uint64_t capacity) {
    if (codeFileKind(extension) == CodeFileKind::IntelHex) {
        HexConversion converted = convertIntelHex(file, capacity);
        switch (converted.status) {
        case HexConversionStatus::TooLarge:
            return {ZEPHLIN_RESULT_FILE_TOO_LARGE, {}, {}};
        case HexConversionStatus::Damaged:
            return {ZEPHLIN_RESULT_CHECKSUM_ERROR, {}, converted.damaged};
        case HexConversionStatus::Converted:
        case HexConversionStatus::NoData:
            break;
        }
        return {ZEPHLIN_RESULT_PASS, std::move(converted.image), {}};
    }
    if (file.size() > capacity) {
        return {ZEPHLIN_RESULT_FILE_TOO_LARGE, {}, {}};
    }
    return {ZEPHLIN_RESULT_PASS, std::vector<uint8_t>(file.begin(), file.end()), {}};
}

CodeFileLoad loadCodeFile(CodeBuffer& buffer, int page,
                          std::optional<std::span<const uint8_t>> file, std::wstring_view path,
                          LoadForm form) {
    if (!file) {
        return {ZEPHLIN_RESULT_OPEN_FILE_ERROR, {}, {}};
    }
    const uint32_t capacity = buffer.capacity(page);
    const uint32_t address = buffer.loadAddress();
    if (address > capacity) {
        return {ZEPHLIN_RESULT_FILE_TOO_LARGE, {}, {}};
    }
    const std::wstring extension = upperExtension(path);
    const CodeFileImage image = codeFileImage(*file, extension, capacity - address);
    if (image.result != ZEPHLIN_RESULT_PASS) {
        return {image.result, {}, image.damaged};
    }

    LoadRecord& record = buffer.loadRecord(page);
    const LoadState before =
        form == LoadForm::Normal && buffer.clearBufferOption() ? LoadState::Empty : record.state;
    const auto placed = placeImage(buffer.readArea(page), loadReplaces(before), address,
                                   image.bytes, record.fillMode, capacity);
    if (!placed || !buffer.setArea(page, *placed)) {
        return {ZEPHLIN_RESULT_FILE_TOO_LARGE, {}, {}};
    }
    record.state = stateAfter(before, form);
    if (form == LoadForm::Normal) {
        record.filePath = path;
        record.fileExtension = extension;
    }
    std::wstring label(path);
    if (record.state == LoadState::Mixed) {
        label += L" (Mixed file)";
    }
    return {ZEPHLIN_RESULT_PASS, std::move(label), {}};
}

CodeFileLoad loadCodeFileFromDisk(CodeBuffer& buffer, int page, const std::string& path,
                                  LoadForm form) {
    const FileBytes file = readWholeFile(path, kLongestCodeFile);
    const std::wstring widePath = utf8::toWide(path);
    switch (file.status) {
    case FileBytes::Status::Read:
        return loadCodeFile(buffer, page, std::span<const uint8_t>(file.bytes), widePath, form);
    case FileBytes::Status::TooLarge:
        return {ZEPHLIN_RESULT_FILE_TOO_LARGE, {}, {}};
    case FileBytes::Status::CannotOpen:
        break;
    }
    return loadCodeFile(buffer, page, std::nullopt, widePath, form);
}

} // namespace zephlin
